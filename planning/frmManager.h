#pragma once

#include "core/forms/Forms.h"

namespace tv {

// Waypoint category manager.
class frmManager : public DialogForm
{
    Q_OBJECT
public:
    frmManager();
    QString formName() const override { return QStringLiteral("frmManager"); }
};

} // namespace tv
