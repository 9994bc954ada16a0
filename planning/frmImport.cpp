#include "planning/frmImport.h"

namespace tv {

frmImport::frmImport()
{
    setWindowTitle(QStringLiteral("Strecke importieren"));
}

void frmImport::GetRoute()
{
    forms().unload(this);
}

} // namespace tv
