#pragma once

#include "core/forms/Forms.h"

namespace tv {

// Route export.
class frmExport : public DialogForm
{
    Q_OBJECT
public:
    frmExport();
    QString formName() const override { return QStringLiteral("frmExport"); }
};

} // namespace tv
