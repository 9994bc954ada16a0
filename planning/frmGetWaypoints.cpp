#include "planning/frmGetWaypoints.h"

namespace tv {

frmGetWaypoints::frmGetWaypoints()
{
    setWindowTitle(QStringLiteral("Flughäfen importieren"));
    resize(480, 360);
}

} // namespace tv
