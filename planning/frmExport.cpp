#include "planning/frmExport.h"

namespace tv {

frmExport::frmExport()
{
    setWindowTitle(QStringLiteral("Strecke exportieren"));
    resize(480, 360);
}

} // namespace tv
