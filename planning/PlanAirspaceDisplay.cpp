#include "planning/PlanAirspaceDisplay.h"

#include "planning/frmLuftraumSettings.h"
#include "planning/frmPlanung.h"

#include <QPointer>

namespace tv {

void showPlanAirspaceDialog()
{
    const QPointer<frmPlanung> plan = &forms().get<frmPlanung>();
    PlanAirspaceChoice choice = plan->airspaceChoice();
    showAirspaceDialog(choice);
    if (plan)
        plan->setAirspaceChoice(choice);
}

PlanAirspaceSwitches planAirspaceSwitches(const PlanAirspaceChoice& choice)
{
    PlanAirspaceSwitches switches;
    switches.airspaces = choice.airspaces != PlanAirspaceChoice::Airspaces::None;
    if (choice.airspaces == PlanAirspaceChoice::Airspaces::AtAltitude)
        switches.altitudeFt = choice.altitudeFt;
    switches.circuits = choice.circuits;
    return switches;
}

} // namespace tv
