#pragma once

// A tiny HTTP server on 127.0.0.1 for the update check: answers every GET with a fixed status
// and body, asks for Basic credentials first when told to, or stays silent.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace windowstest {

class VersionServer
{
public:
    enum class Mode { Answer, Silent };

    VersionServer() { server_.listen(QHostAddress::LocalHost, 0); }

    int port() const { return server_.serverPort(); }

    void answer(int status, QByteArray body, bool requireCredentials = false)
    {
        mode_ = Mode::Answer;
        status_ = status;
        body_ = std::move(body);
        requireCredentials_ = requireCredentials;
        start();
    }

    void silent()
    {
        mode_ = Mode::Silent;
        start();
    }

    // Runs when a complete request has arrived, before the answer goes out.
    void onRequest(std::function<void()> hook) { onRequest_ = std::move(hook); }

    // The request lines of every request received ("GET /path HTTP/1.1").
    const QList<QByteArray>& requests() const { return requests_; }
    // The Authorization header of the last request, empty when it had none.
    const QByteArray& lastAuthorization() const { return lastAuthorization_; }

private:
    void start()
    {
        QObject::disconnect(&server_, nullptr, nullptr, nullptr);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(&server_);
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { onData(socket); });
            }
        });
    }

    void onData(QTcpSocket* socket)
    {
        QByteArray& pending = buffers_[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = pending.left(end);
        pending.remove(0, end + 4);
        const QList<QByteArray> lines = head.split('\n');
        requests_ << lines.value(0).trimmed();
        lastAuthorization_.clear();
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("authorization:"))
                lastAuthorization_ = line.mid(14).trimmed();
        if (onRequest_)
            onRequest_();
        if (mode_ == Mode::Silent)
            return;
        if (requireCredentials_ && lastAuthorization_.isEmpty()) {
            socket->write("HTTP/1.1 401 Unauthorized\r\n"
                          "WWW-Authenticate: Basic realm=\"update\"\r\n"
                          "Content-Length: 0\r\n\r\n");
            return;
        }
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + " Status\r\n";
        reply += "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(body_.size()) +
                 "\r\nConnection: close\r\n\r\n" + body_;
        socket->write(reply);
        socket->flush();
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    Mode mode_ = Mode::Answer;
    int status_ = 200;
    QByteArray body_;
    bool requireCredentials_ = false;
    std::function<void()> onRequest_;
    QList<QByteArray> requests_;
    QByteArray lastAuthorization_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

} // namespace windowstest
