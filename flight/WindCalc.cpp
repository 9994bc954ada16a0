#include "flight/WindCalc.h"

#include "core/GeoMath.h"
#include "core/Units.h"
#include "flight/FlightKeys.h"
#include "map/DrawSurface.h"
#include "map/NumberText.h"

#include <algorithm>
#include <cmath>

namespace tv {
namespace {

constexpr uint32_t kArrowGreen = 0x00FF00;

double radians(double degrees)
{
    return degrees * kGeoPi / 180.0;
}

bool showsNoValue(const QString& caption)
{
    return caption.trimmed() == QStringLiteral("---");
}

const QString kEmptyEntry = QStringLiteral("---");

bool thirdIsDigit(const QString& text)
{
    return text.size() >= 3 && text.at(2).isDigit();
}

double trackNearHeading(double trackDeg, double headingDeg)
{
    double d = std::fmod(trackDeg - headingDeg, 360.0);
    if (d <= -180.0)
        d += 360.0;
    else if (d > 180.0)
        d -= 360.0;
    return headingDeg + d;
}

} // namespace

double tasPercent(double altitudeFt)
{
    return altitudeFt <= 30000.0 ? altitudeFt / 600.0 : altitudeFt / 500.0;
}

TasFigures trueAirspeeds(double ias, double altitudeFt)
{
    const double p = tasPercent(altitudeFt);
    return {ias + ias * (p - 2.0) / 100.0, ias + ias * p / 100.0, ias + ias * (p + 2.0) / 100.0};
}

QString tasToolTip(const TasFigures& tas, bool trailingBlank)
{
    const QString pattern = QStringLiteral("###");
    return QStringLiteral(" TAS ") + formatNumber(tas.isaMinus10, pattern) +
           QStringLiteral(" (ISA-10)  |  TAS ") + formatNumber(tas.isa, pattern) +
           QStringLiteral(" (ISA)  |  TAS ") + formatNumber(tas.isaPlus10, pattern) +
           (trailingBlank ? QStringLiteral(" (ISA+10) ") : QStringLiteral(" (ISA+10)"));
}

QString ShowTAS(const QString& iasText, double altitudeFt)
{
    if (showsNoValue(iasText))
        return {};
    return tasToolTip(trueAirspeeds(leadingNumber(iasText), altitudeFt), true);
}

Wind solveWind(double headingDeg, double trackDeg, double tas, double groundSpeed)
{
    // Track minus heading, brought into -300..300 on both sides of north (a heading just east
    // of north with a track just west of it is a small left drift, not a 340 degree one).
    double d = trackDeg - headingDeg;
    if (d < -300.0)
        d += 360.0;
    else if (d > 300.0)
        d -= 360.0;

    Wind wind;
    const double speedSquared =
        groundSpeed * groundSpeed + tas * tas - 2.0 * tas * groundSpeed * std::cos(radians(d));
    wind.speed = std::sqrt(std::max(0.0, speedSquared));
    double a = 0.0;
    if (wind.speed != 0.0 && tas != 0.0) {
        a = Arccos((wind.speed * wind.speed + tas * tas - groundSpeed * groundSpeed) /
                   (2.0 * tas * wind.speed)) *
            180.0 / kGeoPi;
    }
    double wd = 0.0;
    if (d < 0.0) { // track left of heading: wind from the right
        wd = headingDeg + a;
        if (wd > 360.0)
            wd -= 360.0;
    } else if (d > 0.0) { // track right of heading: wind from the left
        wd = headingDeg - a;
        if (wd <= 0.0)
            wd += 360.0;
    } else if (groundSpeed <= tas) { // head wind
        wd = headingDeg;
    } else { // tail wind
        wd = headingDeg - 180.0;
        if (wd <= 0.0)
            wd += 360.0;
    }
    wind.directionDeg = std::isfinite(wd) ? wd : 0.0;
    if (!std::isfinite(wind.speed))
        wind.speed = 0.0;
    return wind;
}

QString windCaption(const Wind& wind)
{
    if (wind.speed == 0.0 || wind.directionDeg == 0.0)
        return QStringLiteral("--- / ---");
    return formatNumber(wind.directionDeg, QStringLiteral("00#")) + QStringLiteral(" / ") +
           formatNumber(wind.speed, QStringLiteral("##0"));
}

WindArrow windArrowGeometry(double relativeDeg)
{
    const QPointF centre(50.0, 50.0);
    const double shaft = radians(relativeDeg - 90.0);
    const double first = radians(relativeDeg - 45.0);
    const double second = radians(relativeDeg + 45.0);
    WindArrow arrow;
    arrow.shaft = QLineF(50.0 + 50.0 * std::cos(shaft), 50.0 + 50.0 * std::sin(shaft), 50.0, 50.0);
    arrow.barbFirst =
        QLineF(centre, QPointF(50.0 + 20.0 * std::cos(first), 50.0 + 20.0 * std::sin(first)));
    arrow.barbSecond =
        QLineF(centre, QPointF(50.0 - 20.0 * std::cos(second), 50.0 - 20.0 * std::sin(second)));
    return arrow;
}

void drawWindArrow(DrawSurface& picture, double relativeDeg)
{
    const WindArrow arrow = windArrowGeometry(relativeDeg);
    picture.Cls();
    picture.Scale(0.0, 0.0, 100.0, 100.0);
    picture.setDrawWidth(3);
    picture.Line(arrow.shaft.x1(), arrow.shaft.y1(), arrow.shaft.x2(), arrow.shaft.y2(),
                 kArrowGreen);
    picture.setDrawWidth(2);
    picture.Line(arrow.barbFirst.x1(), arrow.barbFirst.y1(), arrow.barbFirst.x2(),
                 arrow.barbFirst.y2(), kArrowGreen);
    picture.Line(arrow.barbSecond.x1(), arrow.barbSecond.y1(), arrow.barbSecond.x2(),
                 arrow.barbSecond.y2(), kArrowGreen);
}

void setGpsValues(WindInputs& inputs, const GpsFix& fix, bool speedKts, bool altFeet)
{
    inputs.groundSpeed = shownSpeed(fix, speedKts);
    inputs.trackDeg = fix.trackDegTrue ? std::optional<double>(shownTrackDeg(fix)) : std::nullopt;
    inputs.altitude = shownAltitude(fix, altFeet);
    inputs.altFeet = altFeet;
}

WindEntry::KeyResult WindEntry::key(int keyCode)
{
    KeyResult result;
    if (ias.size() == 3 && thirdIsDigit(ias)) {
        heading = kEmptyEntry;
        ias = kEmptyEntry;
        result.newEntry = true;
    }
    QString& target = thirdIsDigit(heading) ? ias : heading;
    QString entry = target;
    const qsizetype dash = entry.left(3).indexOf(QLatin1Char('-'));
    if (dash >= 0)
        entry.truncate(dash);
    if (keyCode == kKeyBack) {
        if (entry.isEmpty())
            entry = kEmptyEntry;
        if (entry != kEmptyEntry) {
            entry.chop(1);
            if (entry.isEmpty())
                entry = kEmptyEntry;
        }
    } else if (keyCode >= kKey0 && keyCode <= kKey0 + 9 && entry.size() < 3) {
        entry += QChar(QLatin1Char('0' + (keyCode - kKey0)));
    }
    if (entry.isEmpty())
        entry = kEmptyEntry;
    else if (entry.size() == 1)
        entry += QStringLiteral("--");
    else if (entry.size() == 2)
        entry += QStringLiteral("-");
    target = entry;
    result.complete = thirdIsDigit(ias);
    return result;
}

bool WindEntry::headingTooHigh() const
{
    return leadingNumber(heading) > 360.0;
}

WindInputs windInputs(const WindEntry& entry, const GpsFix& fix, bool speedKts, bool altFeet)
{
    WindInputs inputs;
    inputs.iasText = entry.ias;
    inputs.headingText = entry.heading;
    setGpsValues(inputs, fix, speedKts, altFeet);
    if (inputs.trackDeg)
        inputs.trackDeg = trackNearHeading(*inputs.trackDeg, leadingNumber(inputs.headingText));
    return inputs;
}

std::optional<WindResult> CalcWind(const WindInputs& inputs)
{
    if (!inputs.groundSpeed || !inputs.trackDeg)
        return std::nullopt;
    const double shownAltitude = inputs.altitude.value_or(0.0);
    const double altitudeFt = inputs.altFeet ? shownAltitude : shownAltitude * kFeetPerMetre;

    WindResult result;
    const TasFigures tas = trueAirspeeds(leadingNumber(inputs.iasText), altitudeFt);
    result.iasToolTip = tasToolTip(tas, false);
    result.tas = tas.isa;
    const double heading = leadingNumber(inputs.headingText);
    result.wind = solveWind(heading, *inputs.trackDeg, result.tas, *inputs.groundSpeed);
    result.windText = windCaption(result.wind);
    result.relativeDeg = result.wind.directionDeg - heading;
    return result;
}

} // namespace tv
