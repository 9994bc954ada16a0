#include "core/windows/frmInfo.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/windows/WebAddresses.h"
#include "core/windows/WindowLook.h"
#include "core/windows/frmInfo1.h"
#include "core/windows/frmInfo2.h"
#include "core/windows/frmInfo3.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tv {

namespace {

constexpr uint32_t kLinkColour = 0xC00000;
constexpr uint32_t kLinkHover = 0xC000C0;

bool german()
{
    return Language == 0;
}

QString pick(const char* de, const char* en)
{
    return QString::fromUtf8(german() ? de : en);
}

} // namespace

QUrl productDownloadUrl(const QString& path)
{
    return QUrl(QStringLiteral("http://") + productDownloadCaption(path));
}

QString productDownloadCaption(const QString& path)
{
    return QString::fromLatin1(kProductSite) + path;
}

NoticeWindow::NoticeWindow()
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    paintBackground(this, fromBgr(0xFFC0C0));

    Label4 = new QLabel(this);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setWordWrap(true);
    Label4->setMinimumHeight(2 * fontMetrics().lineSpacing() + 4);
    QFont bold = Label4->font();
    bold.setBold(true);
    Label4->setFont(bold);
    Label5 = new QLabel(this);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setWordWrap(true);
    Label2 = new QLabel(this);
    Label1 = new ClickLabel(QString(), this);
    paintText(Label1, fromBgr(kLinkColour));
    QFont link = Label1->font();
    link.setUnderline(true);
    Label1->setFont(link);
    Label3 = new QLabel(this);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(100);
    paintBackground(cmdOK, fromBgr(0xC0C000));

    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(Label1, &ClickLabel::clicked, this, [this] { guarded([this] { Label1_Click(); }); });
    connect(Label1, &ClickLabel::hovered, this,
            [this] { guarded([this] { Label1_MouseMove(); }); });
    connect(Label1, &ClickLabel::left, this, [this] { guarded([this] { Form_MouseMove(); }); });

    auto* download = new QHBoxLayout;
    download->addStretch();
    download->addWidget(Label2);
    download->addSpacing(8);
    download->addWidget(Label1);
    download->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addSpacing(6);
    layout->addLayout(download);
    layout->addSpacing(6);
    layout->addWidget(Label3);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

void NoticeWindow::cmdOK_Click()
{
    forms().unload(this);
}

void NoticeWindow::Label1_Click()
{
    const QUrl target = linkTarget();
    if (target.isValid() && !target.isEmpty())
        openLink(target);
}

void NoticeWindow::Label1_MouseMove()
{
    paintText(Label1, fromBgr(kLinkHover));
}

void NoticeWindow::Form_MouseMove()
{
    paintText(Label1, fromBgr(kLinkColour));
}

// --- frmInfo1: track file -------------------------------------------------------------------

frmInfo1::frmInfo1()
{
    setWindowTitle(QStringLiteral("Info"));
    Label1->setText(productDownloadCaption(QStringLiteral("/track.tvd")));
}

void frmInfo1::Form_Load()
{
    Label4->setText(pick("Die Datei track.tvd wurde nicht im Tramvik Verzeichnis gefunden",
                         "File track.tvd was not found in the tramvik directory"));
    Label5->setText(pick("Die Datei wird für den Track Logger benötigt",
                         "Track.tvd is needed for the track logger"));
    Label2->setText(pick("Download Datei:", "Download file:"));
    Label3->setText(pick("Nach dem Download muss der Tramvik neu gestartet werden.",
                         "After downloading the file please restart tramvik"));
}

QUrl frmInfo1::linkTarget() const
{
    return productDownloadUrl(QStringLiteral("/track.tvd"));
}

// --- frmInfo2: print support ----------------------------------------------------------------

frmInfo2::frmInfo2()
{
    setWindowTitle(QStringLiteral("Info"));
}

void frmInfo2::Form_Load()
{
    Label4->setText(
        pick("Tramvik benötigt die setup-d.exe Datei", "Tramvik needs the setup-e.exe file."));
    Label5->setText(
        pick("Bitte installieren Sie die Datei", "Please download and install the file"));
    Label2->setText(pick("Download Datei:", "Download file:"));
    Label3->setText(pick("Die Dateien werden für die Druckunterstützung benötigt",
                         "The files are needed to support the print function"));
    Label1->setText(productDownloadCaption(german() ? QStringLiteral("/setup-d.exe")
                                                    : QStringLiteral("/setup-e.exe")));
}

QUrl frmInfo2::linkTarget() const
{
    // The download server keeps the print support as support-d.exe and support-e.exe; the
    // caption names the setup file the pilot will find inside. A language the server has no
    // file for opens nothing.
    if (Language == 0)
        return productDownloadUrl(QStringLiteral("/support-d.exe"));
    if (Language == 1)
        return productDownloadUrl(QStringLiteral("/support-e.exe"));
    return {};
}

// --- frmInfo3: airspace data file -----------------------------------------------------------

frmInfo3::frmInfo3()
{
    setWindowTitle(QStringLiteral("Info"));
    Label1->setText(productDownloadCaption(QStringLiteral("/Luftraum.tvd")));
}

void frmInfo3::Form_Load()
{
    if (german())
        Label4->setText(
            AirspaceReleaseDate == kAirspaceNotOpened
                ? QStringLiteral("Die Datei Luftraum.tvd wurde nicht im Tramvik Verzeichnis "
                                 "gefunden")
                : QStringLiteral("Es existiert eine aktuellere Luftraum.tvd Datei"));
    else
        Label4->setText(QStringLiteral("File Luftraum.tvd was not found in the tramvik directory"));
    Label5->setText(pick("Die Datei wird für die Darstellung des Luftraumes benötigt",
                         "Luftraum.tvd is needed to disply airspace structures"));
    Label2->setText(pick("Download Datei:", "Download file:"));
    Label3->setText(pick("Nach dem Download muss der Tramvik neu gestartet werden.",
                         "After downloading the file please restart tramvik"));
}

QUrl frmInfo3::linkTarget() const
{
    return productDownloadUrl(QStringLiteral("/Luftraum.tvd"));
}

} // namespace tv
