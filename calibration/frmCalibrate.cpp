#include "calibration/frmCalibrate.h"

namespace tv {

frmCalibrate::frmCalibrate()
{
    setWindowTitle(QStringLiteral("Kartendaten"));
}

} // namespace tv
