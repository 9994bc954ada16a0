#include "core/windows/frmAbout.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/program/ReleaseHistory.h"
#include "core/program/UpdateCheck.h"
#include "core/windows/WebAddresses.h"
#include "core/windows/WindowLook.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tv {

namespace {

constexpr uint32_t kBackground = 0xFFC0C0;
constexpr uint32_t kLinkHover = 0xFF80FF;

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmAbout::frmAbout()
{
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    paintBackground(this, fromBgr(kBackground));

    picIcon = new QLabel(this);
    picIcon->setPixmap(programPicture(64));
    lblTitle = new QLabel(QStringLiteral("Tramvik - GPS"), this);
    QFont title = lblTitle->font();
    title.setPointSize(18);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new QLabel(QStringLiteral("Version"), this);

    Label1 = new ClickLabel(QString::fromLatin1(kMakerSite), this);
    Label2 = new ClickLabel(QString::fromLatin1(kProductSite), this);
    for (ClickLabel* link : {Label1, Label2}) {
        link->setAlignment(Qt::AlignCenter);
        paintBackground(link, fromBgr(kBackground));
        paintText(link, fromBgr(0xC00000));
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
    }
    connect(Label1, &ClickLabel::clicked, this, [this] { guarded([this] { Label1_Click(); }); });
    connect(Label2, &ClickLabel::clicked, this, [this] { guarded([this] { Label2_Click(); }); });
    connect(Label1, &ClickLabel::hovered, this,
            [this] { guarded([this] { Label1_MouseMove(); }); });
    connect(Label2, &ClickLabel::hovered, this,
            [this] { guarded([this] { Label2_MouseMove(); }); });
    connect(Label1, &ClickLabel::left, this, [this] { guarded([this] { Form_MouseMove(); }); });
    connect(Label2, &ClickLabel::left, this, [this] { guarded([this] { Form_MouseMove(); }); });

    listUpdate = new QListWidget(this);
    listUpdate->setMinimumHeight(220);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(100);
    paintBackground(cmdOK, fromBgr(0xC0C000));
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });

    Line1[0] = separator(this);
    Line1[1] = separator(this);

    auto* heading = new QVBoxLayout;
    heading->addWidget(lblTitle);
    heading->addWidget(lblVersion);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addSpacing(12);
    top->addLayout(heading, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Line1[0]);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Line1[1]);
    layout->addWidget(listUpdate, 1);
    layout->addLayout(buttons);
    resize(460, 480);
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version ") + localVersionText());
    listUpdate->clear();
    listUpdate->addItems(releaseHistory(Language));
}

void frmAbout::cmdOK_Click()
{
    forms().unload(this);
}

void frmAbout::Label1_Click()
{
    openLink(QUrl(QStringLiteral("http://") + QString::fromLatin1(kMakerSite)));
}

void frmAbout::Label2_Click()
{
    openLink(QUrl(QStringLiteral("http://") + QString::fromLatin1(kProductSite)));
}

void frmAbout::Label1_MouseMove()
{
    paintBackground(Label1, fromBgr(kLinkHover));
}

void frmAbout::Label2_MouseMove()
{
    paintBackground(Label2, fromBgr(kLinkHover));
}

void frmAbout::Form_MouseMove()
{
    paintBackground(Label1, fromBgr(kBackground));
    paintBackground(Label2, fromBgr(kBackground));
}

} // namespace tv
