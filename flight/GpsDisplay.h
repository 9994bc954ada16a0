#pragma once

// The GPS displays of the flight window as they show the fix, each written when its sentence
// arrives: "---" for a value the fix does not have (no fix when the sentence came, or the
// displays were cleared). Knots or km/h, feet or metres as the unit switches say.

#include "gps/GpsFix.h"

#include <QString>

namespace tv {

// The unit switches of the displays, clicked on the displays themselves. Not saved: every
// load starts with knots, feet and the time en route.
struct UnitSwitches
{
    bool speedKts = true; // SpeedKts: knots, else km/h
    bool altFeet = true;  // AltFeet: feet, else metres
    bool showEte = true;  // ShowETE: time en route, else the arrival clock time
};

// The speed display: whole knots or km/h ("##0").
QString speedText(const GpsFix& fix, bool knots);
QString speedUnitText(bool knots); // "kts", "km/h"
// The track display: whole degrees with three digits ("000"; 359.6 shows as 360).
QString trackText(const GpsFix& fix);
// The track in whole degrees as the track display shows it (the course instrument turns by it);
// empty while it shows "---".
std::optional<double> shownTrack(const GpsFix& fix);
// The altitude display: whole feet ("######") or metres ("#####"); an altitude that rounds to 0
// shows nothing.
QString altitudeText(const GpsFix& fix, bool feet);
QString altitudeUnitText(bool feet); // "ft", "m"
// The altitude in feet, unrounded (the true airspeed works from it); empty without one.
std::optional<double> altitudeFeet(const GpsFix& fix);
// Tool tip of the fix picture: "Sat: 7/12", satellites used (empty before the first count)
// and in view.
QString satelliteTip(const GpsFix& fix);
// Tool tip of all three pictures while there is no fix.
inline const QString kNoSatelliteTip = QStringLiteral("Sat: -/-");

} // namespace tv
