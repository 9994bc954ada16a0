#pragma once

#include "core/forms/Forms.h"

namespace tv {

// Route import. The main frame's menu calls GetRoute without showing the window.
class frmImport : public DialogForm
{
    Q_OBJECT
public:
    frmImport();
    QString formName() const override { return QStringLiteral("frmImport"); }

    // Lets the user pick a route file and imports it into the route tables.
    void GetRoute();
};

} // namespace tv
