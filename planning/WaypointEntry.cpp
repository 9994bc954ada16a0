#include "planning/WaypointEntry.h"

#include "core/GeoMath.h"
#include "core/NameLength.h"

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

// Positions are DD.MM: 90.00 is the pole, 180.00 the date line; minutes run to 59.99...
constexpr double kMaxLatitudeDDMM = 90.0;
constexpr double kMaxLongitudeDDMM = 180.0;

PlanMessage latitudeBeyondPole(int16_t language)
{
    return {german(language) ? QStringLiteral("Bitte einen Breitengrad bis 90° eingeben")
                             : QStringLiteral("Please enter a latitude of at most 90°"),
            dataErrorTitle(language)};
}

PlanMessage longitudeBeyondDateLine(int16_t language)
{
    return {german(language) ? QStringLiteral("Bitte einen Längengrad bis 180° eingeben")
                             : QStringLiteral("Please enter a longitude of at most 180°"),
            dataErrorTitle(language)};
}

// The first fault of a typed latitude or longitude: not a number, or no place on earth.
std::optional<PlanMessage> coordinateFault(const std::optional<double>& value, bool latitude,
                                           int16_t language)
{
    if (!value)
        return latitude ? latitudeNotNumeric(language) : longitudeNotNumeric(language);
    if (!IsDDMMWithin(*value, latitude ? kMaxLatitudeDDMM : kMaxLongitudeDDMM))
        return latitude ? latitudeBeyondPole(language) : longitudeBeyondDateLine(language);
    return std::nullopt;
}

// The fault of a typed name: blank, or longer than the data file holds.
std::optional<PlanMessage> nameFault(const QString& name, WaypointEdit edit, int16_t language)
{
    if (name.trimmed().isEmpty())
        return nameMissing(edit, language);
    if (const auto tooLong = checkNameLength(NameKind::Waypoint, name.toStdString(), language))
        return PlanMessage{QString::fromStdString(*tooLong), dataErrorTitle(language)};
    return std::nullopt;
}

double joined(double magnitude, const QString& letter, QChar negative)
{
    return letter == QString(negative) ? -magnitude : magnitude;
}

} // namespace

WaypointCheck checkWaypointBoxes(const WaypointBoxes& boxes, WaypointEdit edit, int16_t language)
{
    WaypointCheck result;
    result.message = nameFault(boxes.name, edit, language);
    if (result.message)
        return result;
    const std::optional<double> lat = typedNumber(boxes.lat);
    result.message = coordinateFault(lat, true, language);
    if (result.message)
        return result;
    const std::optional<double> lon = typedNumber(boxes.lon);
    result.message = coordinateFault(lon, false, language);
    if (result.message)
        return result;
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
        result.message = nameFault(text, WaypointEdit::Change, language);
        if (!result.message)
            result.value = Value(text.toStdString());
        return result;
    }
    const bool lat = field.compare(QLatin1String("Lat"), Qt::CaseInsensitive) == 0;
    const std::optional<double> number = typedNumber(text);
    result.message = coordinateFault(number, lat, language);
    if (!result.message)
        result.value = Value(*number);
    return result;
}

PlanMessage waypointNotStoredMessage(int16_t language)
{
    return {german(language) ? QStringLiteral("Der Wegpunkt konnte nicht gespeichert werden.")
                             : QStringLiteral("The waypoint could not be stored."),
            dataErrorTitle(language)};
}

PlanMessage waypointNotDeletedMessage(int16_t language)
{
    return {german(language) ? QStringLiteral("Der Wegpunkt konnte nicht gelöscht werden.")
                             : QStringLiteral("The waypoint could not be deleted."),
            dataErrorTitle(language)};
}

PlanMessage boxesShowAnotherWaypointMessage(int16_t language)
{
    return {german(language)
                ? QStringLiteral("Die Felder zeigen nicht den gewählten Wegpunkt. Es wurde "
                                 "nichts geändert.")
                : QStringLiteral("The boxes do not show the selected waypoint. Nothing was "
                                 "changed."),
            dataErrorTitle(language)};
}

} // namespace tv
