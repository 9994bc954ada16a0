#pragma once

#include "core/forms/Forms.h"

class QLineEdit;

namespace tv {

// The plan window: waypoints, routes and the plan map.
class frmPlanung : public MdiForm
{
    Q_OBJECT
public:
    frmPlanung();
    QString formName() const override { return QStringLiteral("frmPlanung"); }

    void Form_Load() override;

    // Airspace filter of the plan map: "-99" all airspaces, "-10" none, 0 or more an altitude
    // in feet. Hidden; written by the airspace display dialog.
    QLineEdit* tLRHoehe = nullptr;
    // "1" traffic circuits shown on the plan map, "0" not. Hidden.
    QLineEdit* tPR = nullptr;
};

} // namespace tv
