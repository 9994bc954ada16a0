#pragma once

#include "core/forms/Forms.h"
#include "planning/AirportImport.h"

#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tv {

// Airport import: the airports of the ticked countries become waypoints of the chosen category.
// Modal, opened from the settings window when the airport data file is available. German texts
// only.
class frmGetWaypoints : public DialogForm
{
    Q_OBJECT
public:
    frmGetWaypoints();
    QString formName() const override { return QStringLiteral("frmGetWaypoints"); }

    // Fills the category box, builds the country list, sets the button caption.
    void Form_Load() override;
    void FillCountryList();
    void cmbKategorie_Click();
    // A tick changed: the number of airports of the ticked countries.
    void listAP_Click();
    void cmdTransfer_Click();

    QListWidget* listAP = nullptr;
    QLabel* lblCount = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbKategorie = nullptr;
    QPushButton* cmdTransfer = nullptr;
    QLabel* Label2 = nullptr;

private:
    // The ticked items' prefixes, in list order.
    std::vector<std::string> tickedPrefixes() const;

    // One entry per item of listAP, in the same order; the item's data is its index here.
    std::vector<AirportCountry> countries_;
};

} // namespace tv
