#include "planning/frmPlanung.h"

#include "core/windows/Main.h"

#include <QAction>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tv {

namespace {

void offerPlanMenus(bool on)
{
    if (Main* frame = forms().find<Main>()) {
        frame->mnuExport->setVisible(on);
        frame->mnuImport->setVisible(on);
        frame->mnuLuftEin->setVisible(on);
    }
}

} // namespace

frmPlanung::frmPlanung()
{
    setWindowTitle(QStringLiteral("Planung"));
    auto* layout = new QVBoxLayout(this);
    tLRHoehe = new QLineEdit(QStringLiteral("-99"), this);
    tPR = new QLineEdit(QStringLiteral("0"), this);
    tLRHoehe->hide();
    tPR->hide();
    layout->addWidget(tLRHoehe);
    layout->addWidget(tPR);
    layout->addStretch();
}

void frmPlanung::Form_Load()
{
    tPR->setText(QStringLiteral("0"));
}

void frmPlanung::Form_Activate()
{
    offerPlanMenus(true);
}

void frmPlanung::Form_Deactivate()
{
    offerPlanMenus(false);
}

} // namespace tv
