#include "app/frmSplash.h"

#include "app/Main.h"
#include "core/CoreSettings.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/program/UpdateCheck.h"
#include "core/windows/QtTranslations.h"
#include "core/windows/WindowLook.h"
#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace tv {

frmSplash::frmSplash()
{
    setWindowTitle(QStringLiteral("Tramvik GPS"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    paintBackground(this, fromBgr(0xFFC0C0));

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);

    Picture1 = new QLabel(Frame1);
    Picture1->setPixmap(programPicture(128));
    Picture1->setFixedSize(132, 132);
    Picture1->setAlignment(Qt::AlignCenter);

    lblProductName = new QLabel(QStringLiteral("Tramvik GPS"), Frame1);
    QFont big = lblProductName->font();
    big.setPointSize(24);
    big.setBold(true);
    lblProductName->setFont(big);

    lblCompanyProduct = new QLabel(QStringLiteral("Oskelund"), Frame1);
    QFont maker = lblCompanyProduct->font();
    maker.setPointSize(12);
    lblCompanyProduct->setFont(maker);

    Label1 = new QLabel(QStringLiteral("Moving Map Software"), Frame1);
    QFont tagline = Label1->font();
    tagline.setPointSize(14);
    tagline.setItalic(true);
    Label1->setFont(tagline);

    lblUpdate = new QLabel(QStringLiteral("Update vorhanden"), Frame1);
    lblUpdate->setAlignment(Qt::AlignCenter);
    paintBackground(lblUpdate, fromBgr(0x8080FF));
    QFont bold = lblUpdate->font();
    bold.setBold(true);
    lblUpdate->setFont(bold);
    lblUpdate->setMinimumHeight(28);

    lblVersion = new QLabel(QStringLiteral("Version"), Frame1);
    lblVersion->setAlignment(Qt::AlignCenter);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblCompanyProduct);
    texts->addWidget(lblProductName);
    texts->addWidget(Label1);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(Picture1, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(texts, 1);

    auto* inner = new QVBoxLayout(Frame1);
    inner->setContentsMargins(16, 16, 16, 16);
    inner->addLayout(top);
    inner->addSpacing(12);
    inner->addWidget(lblUpdate);
    inner->addWidget(lblVersion);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 10);
    outer->addWidget(Frame1);

    Timer1 = new VbTimer(this);
    Timer1->onTick([this] { guarded([this] { Timer1_Timer(); }); });

    setFixedSize(sizeHint().expandedTo(QSize(480, 280)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Form_Load()
{
    loading_ = true;
    Timer1->setInterval(2000);
    // A copy of the program killed while saving left its temporary file behind.
    removeStaleSaves();
    LoadLanguage();
    useQtTranslations(Language);
    LoadSymbol();
    LoadTrackSettings();
    lblUpdate->setText(Language == 0 ? QStringLiteral("Update vorhanden")
                                     : QStringLiteral("Update available"));
    CheckForUpdate();
    LoadQnh();
    lblVersion->setText(QStringLiteral("Version ") + localVersionText());
    loading_ = false;
    if (tickPending_) {
        tickPending_ = false;
        QTimer::singleShot(0, this, [this] { guarded([this] { Timer1_Timer(); }); });
    }
}

void frmSplash::Form_Unload()
{
    Timer1->setInterval(0);
}

void frmSplash::CheckForUpdate()
{
    UpdateAvailable = checkForUpdate();
    lblUpdate->setVisible(UpdateAvailable);
}

void frmSplash::Timer1_Timer()
{
    // The timer ticks once: this window goes away with its first tick.
    Timer1->setInterval(0);
    if (loading_) {
        tickPending_ = true;
        return;
    }
    if (handedOver_)
        return;
    handedOver_ = true;
    forms().unload(this);
    forms().get<Main>();
}

} // namespace tv
