#pragma once

#include "gps/GpsFix.h"

#include <QLineF>
#include <QString>

#include <optional>

namespace tv {

class DrawSurface;

// Wind and true airspeed from what the pilot typed (IAS, heading) and what the GPS reports
// (track, ground speed, altitude). Angles are degrees, courses true; wind is the direction it
// blows FROM. Speeds carry no unit: the wind comes out in the unit of the ground speed shown,
// and the typed IAS is taken to be in that unit too. Degree/radian conversions use pi as
// 3.14159265, like the rest of the program.

// True airspeed estimates for three temperatures.
struct TasFigures
{
    double isaMinus10 = 0.0;
    double isa = 0.0;
    double isaPlus10 = 0.0;
};

// The rule of thumb the program uses: TAS exceeds IAS by altitude / 600 percent up to 30000 ft
// (inclusive), by altitude / 500 percent above; +-2 percent for ISA +-10 degrees.
double tasPercent(double altitudeFt);
TasFigures trueAirspeeds(double ias, double altitudeFt);

// " TAS 108 (ISA-10)  |  TAS 110 (ISA)  |  TAS 112 (ISA+10)" with a blank at the end when
// `trailingBlank` (the altitude report's text; the wind calculation writes it without).
QString tasToolTip(const TasFigures& tas, bool trailingBlank);

// The IAS label's tool tip on an altitude report: empty while the IAS label shows "---".
QString ShowTAS(const QString& iasText, double altitudeFt);

// The wind triangle from heading, track, TAS and ground speed.
struct Wind
{
    double speed = 0.0;        // unit of the ground speed
    double directionDeg = 0.0; // 0 < direction <= 360 when there is wind; 0 = none computed
};
Wind solveWind(double headingDeg, double trackDeg, double tas, double groundSpeed);

// "034 / 21", or "--- / ---" when the speed or the direction is 0.
QString windCaption(const Wind& wind);

// The arrow in the wind picture, user scale 0..100 on both axes, heading up: the shaft comes
// from the side the wind blows from (`relativeDeg` clockwise from the top) to the centre, and
// the two barbs make the head at the centre.
struct WindArrow
{
    QLineF shaft;      // drawn 3 pixels wide
    QLineF barbFirst;  // 2 pixels wide
    QLineF barbSecond; // 2 pixels wide
};
WindArrow windArrowGeometry(double relativeDeg);
// Clears the picture, sets the 0..100 scale and draws the arrow in green.
void drawWindArrow(DrawSurface& picture, double relativeDeg);

// What the wind calculation reads: the pilot's entries as typed, the GPS values as their
// displays show them (empty while a display shows "---").
struct WindInputs
{
    QString iasText;                   // typed IAS or "---"
    QString headingText;               // typed heading or "---"
    std::optional<double> groundSpeed; // whole knots or km/h, see shownSpeed
    std::optional<double> trackDeg;    // degrees true
    std::optional<double> altitude;    // whole feet or metres by altFeet, see shownAltitude
    bool altFeet = true;
};

// The GPS part of the inputs taken from the fix, in the units the displays show.
void setGpsValues(WindInputs& inputs, const GpsFix& fix, bool speedKts, bool altFeet);

// Heading and IAS as the pilot types them on the keyboard of the flight window: three digits
// each, the heading first, shown with dashes in the places still missing ("---" while empty,
// "1--", "12-").
struct WindEntry
{
    QString heading = QStringLiteral("---"); // the heading display
    QString ias = QStringLiteral("---");     // the IAS display

    struct KeyResult
    {
        bool newEntry = false; // a complete entry was cleared first (the IAS tool tip goes)
        bool complete = false; // the IAS is complete now: the wind is to be worked out
    };
    // One key (virtual key code): Backspace (8) takes the last digit back, a digit of the
    // main keyboard (48-57) is added, any other key adds nothing. The key after a complete
    // IAS begins a new entry.
    KeyResult key(int keyCode);
    // A heading above 360 is kept as typed and shown on red.
    bool headingTooHigh() const;
};

// The inputs of the wind calculation: the typed entry and the fix in the units shown. The
// track is taken within 180 degrees of the heading (heading 10, track 350 gives -10), so the
// triangle sees the smaller angle between them on either side of north.
WindInputs windInputs(const WindEntry& entry, const GpsFix& fix, bool speedKts, bool altFeet);

struct WindResult
{
    QString iasToolTip; // new tool tip of the IAS label
    double tas = 0.0;   // TAS at ISA
    Wind wind;
    QString windText;         // new caption of the wind label
    double relativeDeg = 0.0; // wind direction relative to the heading, for drawWindArrow
};

// The wind calculation after a completed IAS entry. Empty when there is no ground speed or no
// track: the wind display and the tool tip stay as they are. No altitude counts as 0 ft.
std::optional<WindResult> CalcWind(const WindInputs& inputs);

} // namespace tv
