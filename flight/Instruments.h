#pragma once

// The course instrument of the flight window: a compass card turned by the GPS track, and over
// it a fixed aircraft outline ("Kurs"), a needle to a selected VOR or waypoint ("VOR"), or a
// horizontal situation indicator with a selected course ("HSI").
//
// Drawing works on a DrawSurface whose user scale is 200 x 200 units, origin top left, y down,
// centre (100, 100). Angles are degrees clockwise from straight up: the point at angle a and
// radius r is (100 + r sin a, 100 - r cos a). Courses and bearings are degrees true. Degree to
// radian conversions use pi as 3.14159265 like the rest of the navigation arithmetic.

#include <QImage>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace tv {

class Connection;
class DrawSurface;

enum class InstrumentMode { Kurs, Vor, Hsi };

// "VOR" and "HSI" (as saved in VOR.crm) give those modes; any other text is "Kurs".
InstrumentMode instrumentModeFromText(const QString& text);
QString instrumentModeText(InstrumentMode mode);
// A left click on the instrument: Kurs -> VOR -> HSI -> Kurs.
InstrumentMode nextInstrumentMode(InstrumentMode mode);

// Pen colours, 0x00BBGGRR.
inline constexpr uint32_t kInstrumentCyan = 0xFFFF00;
inline constexpr uint32_t kInstrumentRed = 0x0000FF;
inline constexpr uint32_t kInstrumentWhite = 0xFFFFFF;
inline constexpr uint32_t kInstrumentYellow = 0x00FFFF;
inline constexpr uint32_t kInstrumentMagenta = 0xFF00FF;
// Face and card colours of our own artwork.
inline constexpr uint32_t kInstrumentFaceColor = 0x000000;
inline constexpr uint32_t kCompassCardColor = 0x383838;
inline constexpr uint32_t kCompassNorthColor = 0x0080FF; // orange triangle at north

// Side of the instrument face in user units and of the card picture in pixels.
inline constexpr int kInstrumentUnits = 200;

// The instrument's state: what it shows, the chosen station and course (both kept in VOR.crm),
// and what the last lookup of the station found.
struct InstrumentState
{
    InstrumentMode mode = InstrumentMode::Kurs; // "instrument mode"
    QString vorName; // the selected VOR or waypoint, as the VOR box shows it
    QString course;  // the selected course as typed (a text; see selectedCourse)
    // True course from the aircraft to the selected VOR, degrees; 0 until first computed.
    double vorBearing = 0.0;
    // A VOR is chosen and was found in the waypoint table at the last lookup: only then do the
    // VOR and HSI modes have a station to point to.
    bool vorStationKnown = false;
    // Distance to the selected VOR, NM, as last shown.
    double vorDistanceNm = 0.0;
    // The VOR name last reported as missing from the waypoint table: a missing name is
    // reported once, not at every track report.
    QString missingVorReported;
};

// VOR.crm (flight/FlightSettings.h) read into the instrument's station, mode and course; false
// when the file could not be read (it is then written anew and the state stays as it was).
bool loadInstrumentFile(const std::filesystem::path& path, InstrumentState& state);
[[nodiscard]] bool saveInstrumentFile(const std::filesystem::path& path,
                                      const InstrumentState& state);

// ---------------------------------------------------------------- artwork
// The compass card: a dark disc on a transparent square, white graduations every 5 degrees
// (longer every 10), the headings N 3 6 E 12 15 S 21 24 W 30 33 every 30 degrees, and an orange
// triangle at north. North is straight up in the picture. Text needs a QGuiApplication; without
// one the card is drawn without its figures.
QImage makeCompassCard(int sizePx = kInstrumentUnits);

// ---------------------------------------------------------------- drawing on the face
// Sets the face's 200 x 200 unit scale and clears it to its background: the card standing at
// north up (the face's own picture).
void clearInstrumentFace(DrawSurface& face, const QImage& card);
// The card turned by `angleDeg` (clockwise on the screen), placed at the face's top-left
// pixel. 0 when nothing was drawn.
int drawCompassCard(DrawSurface& face, float angleDeg, const QImage& card);
// Mode "Kurs": a white aircraft seen from above, nose up, and ten yellow marks on the rim.
void drawAircraftSymbol(DrawSurface& face);
// The needle to the VOR. `trackDeg` is the GPS track as shown, nullopt when the display shows
// "---": the needle then lies red across the face pointing right. Otherwise it points at the
// relative bearing vorBearing - track in `colour`. In the HSI the needle leaves the middle free
// for the course arrow; elsewhere a small ring marks the centre.
void drawVorPointer(DrawSurface& face, std::optional<double> trackDeg, double vorBearing,
                    uint32_t colour, bool hsi);
// The HSI: centre aircraft, course arrow, deviation dots, TO/FROM flag and deviation bar.
// `angleDeg` is minus the track (0 without a track), so the arrow stands at course + angle.
// `vorBearing` NaN: no station is chosen; the arrow and dots are drawn without flag and bar.
void drawCourseArrow(DrawSurface& face, double course, float angleDeg, double vorBearing);

// ---------------------------------------------------------------- the face by its state
// A VOR is chosen and was found in the waypoint table at the last lookup: the VOR and HSI
// modes have a station to point to.
bool stationFound(const InstrumentState& state);
// The needle to the station at the state's bearing (drawVorPointer, in the HSI with the middle
// left free).
void drawStationNeedle(DrawSurface& face, const InstrumentState& state,
                       std::optional<double> trackDeg, uint32_t colour);
// The HSI's arrow for the selected course (drawCourseArrow): nothing while the course entry is
// open or when the course is no number up to 360; without a station no flag and no bar.
void drawSelectedCourse(DrawSurface& face, const InstrumentState& state, float angleDeg,
                        bool courseEntryOpen);
// What lies over the card by the mode: the aircraft outline ("Kurs"); the needle when a
// station was found ("VOR"); the needle when a station was found and the course arrow
// ("HSI"). Without a station there is no needle rather than one pointing north as if a
// station lay there. `trackDeg` is the track as shown, empty while the display shows "---".
void drawInstrumentOverlay(DrawSurface& face, const InstrumentState& state, float angleDeg,
                           std::optional<double> trackDeg, bool courseEntryOpen);

// ---------------------------------------------------------------- HSI arithmetic
// The selected course as typed: a number up to 360 inclusive; empty for a text that is not a
// number or above 360 (the arrow is then not drawn).
std::optional<double> selectedCourse(const QString& caption);
// An angle reduced to (-180, 180].
double reduceDegrees180(double degrees);
// TO (true) or FROM for the whole-degree course `courseDeg` and the bearing to the VOR: TO
// while the course lies less than 90 degrees either side of the bearing, both limits rounded
// to whole degrees (halves to even), measured round the compass (course 5, bearing 355: TO).
bool hsiShowsTo(int courseDeg, double vorBearing);
// Course deviation in degrees, positive when the bar lies left of the arrow (fly left).
// The difference is taken round the compass; near the reciprocal (more than 165 degrees off)
// it is measured against the reciprocal course, for flying FROM the station.
double hsiDeviationDeg(int courseDeg, double vorBearing);
// The bar moves this many units per degree and is drawn while less than kHsiBarLimit units off.
inline constexpr double kHsiUnitsPerDegree = 5.0;
inline constexpr double kHsiBarLimit = 60.0;

// ---------------------------------------------------------------- VOR navigation
struct VorNav
{
    double distanceNm = 0.0;
    double bearingDeg = 0.0; // true course from the aircraft to the VOR, 0..360
};
// Great-circle distance and true course from the aircraft to the VOR, all four in decimal
// degrees. Empty for equal positions or when any value is exactly 0 (no position yet), and for
// values that are not finite. Positions so close that the distance computes as 0 give
// `previousBearing` as the bearing (the course formula would divide by zero).
std::optional<VorNav> calcNavToVor(double vorLatDeg, double vorLonDeg, double ownLatDeg,
                                   double ownLonDeg, double previousBearing);
// lbldistVOR: "##0.0" below 30 NM, "##0" from 30 on (29.96 -> "30.0", 30.2 -> "30").
QString vorDistanceText(double distanceNm);

// ---------------------------------------------------------------- waypoint table
// A waypoint's position in the DD.MM form of the table.
struct WaypointPosition
{
    QString name;
    double latDDMM = 0.0;
    double longDDMM = 0.0;
};
// The first waypoint (in name order) whose name equals `name`, ignoring case as the table
// does. Empty when there is none. The name is a bound parameter: any text works. Throws
// DbError when the table cannot be read.
std::optional<WaypointPosition> findWaypointByName(Connection& connection, const QString& name);
// The name of the first waypoint whose name sorts at or after `typed` (incremental search of
// the VOR entry). Empty when none does. Throws DbError when the table cannot be read.
std::optional<QString> firstWaypointNameFrom(Connection& connection, const QString& typed);

// Looking up the VOR selected for the instrument (its name as the VOR box shows it, not empty).
struct VorLookupResult
{
    std::optional<WaypointPosition> waypoint; // found
    bool reportMissing = false;               // not found, and not reported before: say so
};
// Finds `name` in the waypoint table on `connection`. A name that is missing is reported once:
// reportMissing is set the first time and `state` remembers the name until a lookup finds a
// waypoint again. A closed connection or an unreadable table finds nothing and reports nothing
// (the instrument keeps its last values).
VorLookupResult lookupSelectedVor(Connection* connection, const QString& name,
                                  InstrumentState& state);

} // namespace tv
