#pragma once

#include "core/forms/Forms.h"

namespace tv {

// The flight-plan window, one of the main frame's mode windows.
class frmFlugPlan : public MdiForm
{
    Q_OBJECT
public:
    frmFlugPlan();
    QString formName() const override { return QStringLiteral("frmFlugPlan"); }
};

} // namespace tv
