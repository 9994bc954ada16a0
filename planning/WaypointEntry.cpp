#include "planning/WaypointEntry.h"

#include "core/DataFileFault.h"
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

// Degrees within the limit, but the fraction (minutes / 100) is 0.60 or more.
PlanMessage minutesTooLarge(const QString& typed, bool latitude, int16_t language)
{
    const QString number = typed.trimmed();
    if (german(language))
        return {(latitude ? QStringLiteral("Die Minuten müssen unter 60 liegen (Breitengrad %1).")
                          : QStringLiteral("Die Minuten müssen unter 60 liegen (Längengrad %1)."))
                    .arg(number),
                dataErrorTitle(language)};
    return {(latitude ? QStringLiteral("The minutes must be below 60 (latitude %1).")
                      : QStringLiteral("The minutes must be below 60 (longitude %1)."))
                .arg(number),
            dataErrorTitle(language)};
}

// The first fault of a typed latitude or longitude: not a number, or no place on earth.
std::optional<PlanMessage> coordinateFault(const QString& typed, bool latitude, int16_t language)
{
    const std::optional<double> value = typedNumber(typed);
    if (!value)
        return latitude ? latitudeNotNumeric(language) : longitudeNotNumeric(language);
    const double limit = latitude ? kMaxLatitudeDDMM : kMaxLongitudeDDMM;
    if (IsDDMMWithin(*value, limit))
        return std::nullopt;
    if (std::fabs(*value) <= limit)
        return minutesTooLarge(typed, latitude, language);
    return latitude ? latitudeBeyondPole(language) : longitudeBeyondDateLine(language);
}

PlanMessage withFault(const QString& first, const DbError& error, int16_t language)
{
    return {first + QStringLiteral("\n\n") + QString::fromStdString(dataFaultText(error, language)),
            dataErrorTitle(language)};
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
    result.message = coordinateFault(boxes.lat, true, language);
    if (result.message)
        return result;
    result.message = coordinateFault(boxes.lon, false, language);
    if (result.message)
        return result;
    const std::optional<double> lat = typedNumber(boxes.lat);
    const std::optional<double> lon = typedNumber(boxes.lon);
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
    result.message = coordinateFault(text, lat, language);
    if (!result.message)
        result.value = Value(*typedNumber(text));
    return result;
}

PlanMessage waypointNotStoredMessage(const DbError& error, int16_t language)
{
    return withFault(german(language)
                         ? QStringLiteral("Der Wegpunkt konnte nicht gespeichert werden.")
                         : QStringLiteral("The waypoint could not be stored."),
                     error, language);
}

PlanMessage waypointNotDeletedMessage(const DbError& error, int16_t language)
{
    return withFault(german(language) ? QStringLiteral("Der Wegpunkt konnte nicht gelöscht werden.")
                                      : QStringLiteral("The waypoint could not be deleted."),
                     error, language);
}

PlanMessage routeChangeNotStoredMessage(const DbError& error, int16_t language)
{
    return withFault(german(language)
                         ? QStringLiteral("Die Änderung konnte nicht gespeichert werden.")
                         : QStringLiteral("The change could not be stored."),
                     error, language);
}

PlanMessage waypointsNotReadMessage(const DbError& error, int16_t language)
{
    return withFault(german(language)
                         ? QStringLiteral("Die Wegpunkte konnten nicht gelesen werden. Die Liste "
                                          "zeigt den zuletzt gelesenen Stand.")
                         : QStringLiteral("The waypoints could not be read. The list shows what "
                                          "was read last."),
                     error, language);
}

PlanMessage routesNotReadMessage(const DbError& error, int16_t language)
{
    return withFault(german(language)
                         ? QStringLiteral("Die Strecken konnten nicht gelesen werden. Die Listen "
                                          "zeigen den zuletzt gelesenen Stand.")
                         : QStringLiteral("The routes could not be read. The lists show what was "
                                          "read last."),
                     error, language);
}

PlanMessage pickedRouteNotReadMessage(const QString& kept, const DbError& error, int16_t language)
{
    const bool de = german(language);
    QString first = de ? QStringLiteral("Die gewählte Strecke konnte nicht gelesen werden.")
                       : QStringLiteral("The chosen route could not be read.");
    if (!kept.isEmpty())
        first += de ? QStringLiteral(" Die Strecke - %1 - bleibt gewählt.").arg(kept)
                    : QStringLiteral(" The route - %1 - stays selected.").arg(kept);
    return withFault(first, error, language);
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
