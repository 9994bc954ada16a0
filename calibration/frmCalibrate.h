#pragma once

#include "core/forms/Forms.h"

namespace tv {

// The map calibration window, one of the main frame's mode windows.
class frmCalibrate : public MdiForm
{
    Q_OBJECT
public:
    frmCalibrate();
    QString formName() const override { return QStringLiteral("frmCalibrate"); }
};

} // namespace tv
