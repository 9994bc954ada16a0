#pragma once

#include "core/forms/Forms.h"
#include "planning/RouteExport.h"

#include <cstdint>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace tv {

// Route export: writes the chosen route to Route/<name>.tvr in the program folder. Modal, opened
// by the plan window with its current route; stays open for further exports.
class frmExport : public DialogForm
{
    Q_OBJECT
public:
    frmExport();
    QString formName() const override { return QStringLiteral("frmExport"); }

    // Fills the route box; the first route is selected.
    void Form_Load() override;
    // Selects the route with the key `routeId` (RouteID) in the box, or the first route when
    // there is no such route or no key.
    void selectRoute(std::optional<std::int64_t> routeId);
    void Form_Activate() override;
    void SetLanguage();
    void cmdExport_Click();
    void cmdExit_Click();

    QComboBox* cmbRoute = nullptr;
    QLabel* lblSave = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdExit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows a folder or file in lblSave.
    void showPath(const QString& path);

    // The box's entries with their keys, in the same order.
    std::vector<RouteChoice> routes_;
};

} // namespace tv
