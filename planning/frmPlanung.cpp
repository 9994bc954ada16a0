#include "planning/frmPlanung.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace tv {

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

} // namespace tv
