#pragma once

#include "core/forms/Forms.h"
#include "planning/AirspaceChoice.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tv {

// The airspace display dialog of the plan map: all airspaces, none, or those met at one
// altitude, and whether the traffic circuits are shown. It keeps nothing itself: it shows the
// choice it is given when it opens and writes the pilot's choice into it when it closes. German
// texts only.
class frmLuftraumSettings : public DialogForm
{
    Q_OBJECT
public:
    frmLuftraumSettings();
    QString formName() const override { return QStringLiteral("frmLuftraumSettings"); }

    // The choice the dialog shows and, on closing, writes; it must outlive the dialog.
    void edit(PlanAirspaceChoice* choice);

    void Form_Load() override;
    // Runs on every way of closing: writes the pilot's choice into the one being edited.
    void Form_Unload() override;
    void Form_QueryUnload();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void cmdExit_Click();
    // Enter in the altitude box closes the dialog.
    void cmbHoehe_KeyUp(int keyCode);

    QLabel* Label2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QComboBox* cmbHoehe = nullptr;
    QCheckBox* chkPL = nullptr;
    QLabel* lblLR = nullptr;
    QPushButton* cmdExit = nullptr;

private:
    void selectOnly(QRadioButton* chosen);

    PlanAirspaceChoice* choice_ = nullptr;
};

// Opens the dialog modally on `choice`, which holds the pilot's choice afterwards.
int showAirspaceDialog(PlanAirspaceChoice& choice);

} // namespace tv
