#pragma once

#include "core/forms/Forms.h"
#include "planning/RouteImport.h"

#include <QString>

#include <functional>

namespace tv {

// Route import. Never shown: the plan window calls GetRoute, which asks for a route file,
// imports it and unloads the window again.
class frmImport : public DialogForm
{
    Q_OBJECT
public:
    frmImport();
    QString formName() const override { return QStringLiteral("frmImport"); }

    // Lets the user pick a route file and imports it into the route tables. Cancel ends it
    // quietly.
    void GetRoute();

    // Test hook: replaces the open-file dialog. The chooser gets the dialog's texts and returns
    // the chosen path, or an empty text for Cancel. An empty function restores the dialog.
    using FileChooser = std::function<QString(const RouteFileDialogText&)>;
    static void setFileChooserForTesting(FileChooser chooser);

signals:
    // A route was imported and stored; sent before GetRoute says so to the pilot.
    void routeStored();
};

} // namespace tv
