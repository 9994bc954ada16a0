#include "app/Modes.h"

#include "calibration/frmCalibrate.h"
#include "core/forms/Forms.h"
#include "core/windows/frmSettings.h"
#include "flight/frmGPSmain.h"
#include "flightplan/frmFlugPlan.h"
#include "planning/frmGetWaypoints.h"
#include "planning/frmLuftraumSettings.h"
#include "planning/frmManager.h"
#include "planning/frmPlanung.h"
#include "tracks/frmTrack.h"

namespace tv {
namespace {

template <class Window> std::function<void()> showWindow()
{
    return [] { forms().showMaximized(forms().get<Window>()); };
}

template <class Dialog> FormRegistry::DialogFactory dialog()
{
    return []() -> DialogForm& { return forms().get<Dialog>(); };
}

} // namespace

void registerModeDialogs()
{
    forms().registerDialog(QStringLiteral("frmManager"), dialog<frmManager>());
    forms().registerDialog(QStringLiteral("frmTrack"), dialog<frmTrack>());
    forms().registerDialog(QStringLiteral("frmGetWaypoints"), dialog<frmGetWaypoints>());
}

std::vector<ModeEntry> programModes()
{
    std::vector<ModeEntry> modes;

    ModeEntry flight;
    flight.german = QStringLiteral("Flug");
    flight.english = QStringLiteral("Flight");
    flight.icon = 0;
    flight.formName = QStringLiteral("frmGPSmain");
    flight.show = showWindow<frmGPSmain>();
    // The flight window, maximised behind the next mode window, must not lay itself out for
    // the size it gets on the way.
    flight.beforeOtherModeShown = [] { forms().get<frmGPSmain>().dontResize = true; };
    modes.push_back(std::move(flight));

    ModeEntry plan;
    plan.german = QStringLiteral("Planung");
    plan.english = QStringLiteral("Plan Mode");
    plan.icon = 1;
    plan.formName = QStringLiteral("frmPlanung");
    plan.show = showWindow<frmPlanung>();
    // While the plan window is active the frame offers route export, route import and the
    // airspace display dialog; the route files go through the plan window, which is loaded.
    plan.menuItems = {
        {QStringLiteral("mnuExport"), QStringLiteral("Strecke exportieren"),
         QStringLiteral("Export Route"), [] { forms().get<frmPlanung>().ExportRoute(); }},
        {QStringLiteral("mnuImport"), QStringLiteral("Strecke importieren"),
         QStringLiteral("Import Route"), [] { forms().get<frmPlanung>().ImportRoute(); }},
        // This caption has always been German in both languages.
        {QStringLiteral("mnuLuftEin"), QStringLiteral("Luftraum Einstellungen"),
         QStringLiteral("Luftraum Einstellungen"), [] { showPlanAirspaceDialog(); }},
    };
    modes.push_back(std::move(plan));

    ModeEntry settings;
    settings.german = QStringLiteral("Einstellungen");
    settings.english = QStringLiteral("Settings");
    settings.icon = 2;
    settings.formName = QStringLiteral("frmSettings");
    settings.show = showWindow<frmSettings>();
    modes.push_back(std::move(settings));

    ModeEntry mapData;
    mapData.german = QStringLiteral("Kartendaten");
    mapData.english = QStringLiteral("  Map  Data  ");
    mapData.icon = 3;
    mapData.formName = QStringLiteral("frmCalibrate");
    mapData.show = showWindow<frmCalibrate>();
    modes.push_back(std::move(mapData));

    ModeEntry flightPlan;
    flightPlan.german = QStringLiteral("Flugplan");
    flightPlan.english = QStringLiteral("Flightplan");
    flightPlan.icon = 4;
    flightPlan.formName = QStringLiteral("frmFlugPlan");
    flightPlan.show = showWindow<frmFlugPlan>();
    modes.push_back(std::move(flightPlan));

    return modes;
}

} // namespace tv
