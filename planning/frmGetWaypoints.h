#pragma once

#include "core/forms/Forms.h"

namespace tv {

// Airport import.
class frmGetWaypoints : public DialogForm
{
    Q_OBJECT
public:
    frmGetWaypoints();
    QString formName() const override { return QStringLiteral("frmGetWaypoints"); }
};

} // namespace tv
