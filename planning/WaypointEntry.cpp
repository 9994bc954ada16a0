#include "planning/WaypointEntry.h"

#include <cmath>

namespace tv {

namespace {

bool german(int16_t language)
{
    return language == 0;
}

QString dataErrorTitle(int16_t language)
{
    return german(language) ? QStringLiteral("Datenfehler") : QStringLiteral("Data error");
}

PlanMessage nameMissing(WaypointEdit edit, int16_t language)
{
    if (!german(language))
        return {QStringLiteral("Please enter a name in the waypoint field"),
                dataErrorTitle(language)};
    return {edit == WaypointEdit::Add ? QStringLiteral("Bitte Name für den Waypoint eingeben")
                                      : QStringLiteral("Bitte Name für den Wegpunkt eingeben"),
            dataErrorTitle(language)};
}

PlanMessage latitudeNotNumeric(int16_t language)
{
    return {german(language) ? QStringLiteral("Bitte Nummer für den Breitengrad eingeben")
                             : QStringLiteral("Please enter a numeric value in the latitude field"),
            dataErrorTitle(language)};
}

PlanMessage longitudeNotNumeric(int16_t language)
{
    return {german(language)
                ? QStringLiteral("Bitte Nummer für den Längengrad eingeben")
                : QStringLiteral("Please enter a numeric value in the longitude field"),
            dataErrorTitle(language)};
}

double joined(double magnitude, const QString& letter, QChar negative)
{
    return letter == QString(negative) ? -magnitude : magnitude;
}

} // namespace

WaypointCheck checkWaypointBoxes(const WaypointBoxes& boxes, WaypointEdit edit, int16_t language)
{
    WaypointCheck result;
    if (boxes.name.trimmed().isEmpty()) {
        result.message = nameMissing(edit, language);
        return result;
    }
    const std::optional<double> lat = typedNumber(boxes.lat);
    if (!lat) {
        result.message = latitudeNotNumeric(language);
        return result;
    }
    const std::optional<double> lon = typedNumber(boxes.lon);
    if (!lon) {
        result.message = longitudeNotNumeric(language);
        return result;
    }
    result.entry = WaypointEntry{boxes.name, joined(*lat, boxes.ns, QLatin1Char('S')),
                                 joined(*lon, boxes.ew, QLatin1Char('W'))};
    return result;
}

PlanMessage duplicateWaypointMessage(int16_t language)
{
    return {
        german(language)
            ? QStringLiteral("Der Wegpunkt existiert schon. Bitte einen anderen Namen vergeben.")
            : QStringLiteral("The waypoint already exists. Please choose another name."),
        dataErrorTitle(language)};
}

std::optional<DDMMPoint> boxesPosition(const WaypointBoxes& boxes)
{
    const std::optional<double> lat = typedNumber(boxes.lat);
    const std::optional<double> lon = typedNumber(boxes.lon);
    if (!lat || !lon)
        return std::nullopt;
    return DDMMPoint{joined(*lat, boxes.ns, QLatin1Char('S')),
                     joined(*lon, boxes.ew, QLatin1Char('W'))};
}

WaypointBoxes boxesForWaypoint(const QString& name, double latDDMM, double lonDDMM,
                               NumberStyle style)
{
    WaypointBoxes boxes;
    boxes.name = name;
    takeMapPoint(boxes, latDDMM, lonDDMM, style);
    boxes.name = name;
    return boxes;
}

void takeMapPoint(WaypointBoxes& boxes, double latDDMM, double lonDDMM, NumberStyle style)
{
    boxes.name.clear();
    boxes.ns = latDDMM < 0 ? QStringLiteral("S") : QStringLiteral("N");
    boxes.ew = lonDDMM < 0 ? QStringLiteral("W") : QStringLiteral("E");
    boxes.lat = coordinateText(std::fabs(latDDMM), style);
    boxes.lon = coordinateText(std::fabs(lonDDMM), style);
}

QString toggledNorthSouth(const QString& letter)
{
    return letter == QLatin1String("N") ? QStringLiteral("S") : QStringLiteral("N");
}

QString toggledEastWest(const QString& letter)
{
    return letter == QLatin1String("W") ? QStringLiteral("E") : QStringLiteral("W");
}

CellCheck checkWaypointCell(const QString& field, const QString& text, int16_t language)
{
    CellCheck result;
    if (field.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) {
        if (text.trimmed().isEmpty())
            result.message = nameMissing(WaypointEdit::Change, language);
        else
            result.value = Value(text.toStdString());
        return result;
    }
    const bool lat = field.compare(QLatin1String("Lat"), Qt::CaseInsensitive) == 0;
    const std::optional<double> number = typedNumber(text);
    if (!number)
        result.message = lat ? latitudeNotNumeric(language) : longitudeNotNumeric(language);
    else
        result.value = Value(*number);
    return result;
}

} // namespace tv
