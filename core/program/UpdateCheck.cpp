#include "core/program/UpdateCheck.h"

#include "core/Version.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace tv {

namespace {

struct UpdateHost
{
    QString host;
    int port = -1;
    int timeoutMs = 0;
};

UpdateHost& testOverrides()
{
    static UpdateHost overrides;
    return overrides;
}

// The host of the update list; the user name, password and path are fixed.
constexpr const char* kUpdateHost = "update.tramvik.invalid";
constexpr const char* kUpdateUser = "tramvik";
constexpr const char* kUpdatePassword = "tovera517";
constexpr const char* kUpdatePath = "/update-gps/download/version-prog.txt";

} // namespace

QString localVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

bool isUpdateAvailable(const QString& reply, const QString& localVersion)
{
    if (reply.size() > 6)
        return false;
    return !reply.isEmpty() && reply != localVersion;
}

QUrl updateListUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setUserName(QString::fromLatin1(kUpdateUser));
    url.setPassword(QString::fromLatin1(kUpdatePassword));
    const UpdateHost& o = testOverrides();
    url.setHost(o.host.isEmpty() ? QString::fromLatin1(kUpdateHost) : o.host);
    if (!o.host.isEmpty() && o.port > 0)
        url.setPort(o.port);
    url.setPath(QString::fromLatin1(kUpdatePath));
    return url;
}

std::optional<QString> fetchText(const QUrl& url, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    // The server may answer with a redirect; follow it as a browser would, but never from
    // https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    std::optional<QString> body;
    if (!timedOut && reply->isFinished() && reply->error() == QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 200 && status < 300)
            body = QString::fromLatin1(reply->readAll());
    }
    reply->abort();
    delete reply;
    return body;
}

bool checkForUpdate()
{
    const int timeoutMs =
        testOverrides().timeoutMs > 0 ? testOverrides().timeoutMs : kUpdateTimeoutMs;
    const std::optional<QString> reply = fetchText(updateListUrl(), timeoutMs);
    return reply && isUpdateAvailable(*reply, localVersionText());
}

void setUpdateHostForTesting(const QString& host, int port)
{
    testOverrides().host = host;
    testOverrides().port = port;
}

void setUpdateTimeoutForTesting(int timeoutMs)
{
    testOverrides().timeoutMs = timeoutMs;
}

} // namespace tv
