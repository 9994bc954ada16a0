#include "flight/Instruments.h"

#include "core/GeoMath.h"
#include "core/Rounding.h"
#include "flight/FlightSettings.h"
#include "map/DrawSurface.h"
#include "map/NumberText.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Log.h"
#include "platform/Recordset.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <limits>

namespace tv {

namespace {

constexpr double kCentre = 100.0;
constexpr double kDegToRad = kGeoPi / 180.0;

// The point at `angleDeg` (clockwise from up) and `radius` from the face's centre.
QPointF polar(double angleDeg, double radius)
{
    const double a = angleDeg * kDegToRad;
    return {kCentre + radius * std::sin(a), kCentre - radius * std::cos(a)};
}

void line(DrawSurface& face, QPointF from, QPointF to)
{
    face.Line(from.x(), from.y(), to.x(), to.y());
}

// A needle half from radius `inner` to the tip at radius `tipRadius`; the barbs leave the tip
// 20 units long, 30 degrees either side of the needle's back.
QPointF barb(QPointF tip, double angleDeg)
{
    const double a = angleDeg * kDegToRad;
    return {tip.x() - 20.0 * std::sin(a), tip.y() + 20.0 * std::cos(a)};
}

void drawDoubleNeedle(DrawSurface& face, double angleDeg, double inner, double tipRadius)
{
    const QPointF tip = polar(angleDeg, tipRadius);
    line(face, polar(angleDeg, inner), tip);
    line(face, tip, barb(tip, angleDeg + 30.0));
    line(face, polar(angleDeg + 180.0, inner), polar(angleDeg + 180.0, tipRadius));
    line(face, tip, barb(tip, angleDeg - 30.0));
}

} // namespace

InstrumentMode instrumentModeFromText(const QString& text)
{
    if (text == QLatin1String("VOR"))
        return InstrumentMode::Vor;
    if (text == QLatin1String("HSI"))
        return InstrumentMode::Hsi;
    return InstrumentMode::Kurs;
}

QString instrumentModeText(InstrumentMode mode)
{
    switch (mode) {
    case InstrumentMode::Vor:
        return QStringLiteral("VOR");
    case InstrumentMode::Hsi:
        return QStringLiteral("HSI");
    case InstrumentMode::Kurs:
        break;
    }
    return QStringLiteral("Kurs");
}

bool loadInstrumentFile(const std::filesystem::path& path, InstrumentState& state)
{
    const std::optional<VorSettings> vor = LoadVorFile(path);
    if (!vor)
        return false;
    state.vorName = QString::fromStdString(vor->vorName);
    state.mode = instrumentModeFromText(QString::fromStdString(vor->mode));
    state.course = QString::fromStdString(vor->course);
    return true;
}

bool saveInstrumentFile(const std::filesystem::path& path, const InstrumentState& state)
{
    VorSettings vor;
    vor.vorName = state.vorName.toStdString();
    vor.mode = instrumentModeText(state.mode).toStdString();
    vor.course = state.course.toStdString();
    return SaveVorFile(path, vor);
}

InstrumentMode nextInstrumentMode(InstrumentMode mode)
{
    switch (mode) {
    case InstrumentMode::Kurs:
        return InstrumentMode::Vor;
    case InstrumentMode::Vor:
        return InstrumentMode::Hsi;
    case InstrumentMode::Hsi:
        break;
    }
    return InstrumentMode::Kurs;
}

// ---------------------------------------------------------------- artwork

QImage makeCompassCard(int sizePx)
{
    if (sizePx < 20)
        sizePx = 20;
    QImage card(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Draw in a 200 x 200 frame whatever the pixel size.
    const double s = sizePx / 200.0;
    p.scale(s, s);
    p.translate(100.0, 100.0);

    p.setPen(Qt::NoPen);
    p.setBrush(vbColor(kCompassCardColor));
    p.drawEllipse(QPointF(0, 0), 99.5, 99.5);

    const QColor white = vbColor(kInstrumentWhite);
    for (int deg = 5; deg < 360; deg += 5) {
        const double inner = deg % 30 == 0 ? 84.0 : (deg % 10 == 0 ? 88.0 : 92.0);
        p.save();
        p.rotate(deg);
        p.setPen(QPen(white, deg % 10 == 0 ? 2.0 : 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, -97.0), QPointF(0, -inner));
        p.restore();
    }

    // North: an orange triangle pointing in from the rim.
    p.setPen(Qt::NoPen);
    p.setBrush(vbColor(kCompassNorthColor));
    p.drawPolygon(QPolygonF({QPointF(-7.0, -97.0), QPointF(7.0, -97.0), QPointF(0.0, -83.0)}));

    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        static const std::array<const char*, 12> kHeadings = {"N", "3",  "6",  "E", "12", "15",
                                                              "S", "21", "24", "W", "30", "33"};
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(13);
        p.setFont(font);
        p.setPen(white);
        for (int i = 0; i < 12; ++i) {
            p.save();
            p.rotate(i * 30.0);
            p.drawText(QRectF(-14.0, -82.0, 28.0, 16.0), Qt::AlignCenter,
                       QString::fromLatin1(kHeadings[static_cast<size_t>(i)]));
            p.restore();
        }
    }
    return card;
}

// ---------------------------------------------------------------- drawing

void clearInstrumentFace(DrawSurface& face, const QImage& card)
{
    face.Scale(0.0, 0.0, kInstrumentUnits, kInstrumentUnits);
    face.setBackColor(kInstrumentFaceColor);
    face.setFillStyle(DrawSurface::FillStyle::Transparent);
    face.Cls();
    drawCompassCard(face, 0.0f, card);
}

int drawCompassCard(DrawSurface& face, float angleDeg, const QImage& card)
{
    return face.RotatePicture(0, 0, angleDeg, card);
}

void drawAircraftSymbol(DrawSurface& face)
{
    static constexpr std::array<QPointF, 21> kOutline = {{
        {90, 105},  {50, 120},  {50, 105},  {90, 80},   {93, 60},   {100, 35},  {107, 60},
        {110, 80},  {150, 105}, {150, 120}, {107, 105}, {107, 125}, {130, 140}, {130, 150},
        {105, 140}, {100, 155}, {95, 140},  {70, 150},  {70, 140},  {93, 125},  {93, 105},
    }};
    face.setDrawWidth(2);
    face.setForeColor(kInstrumentWhite);
    for (size_t i = 1; i < kOutline.size(); ++i)
        line(face, kOutline[i - 1], kOutline[i]);

    // Rim marks every 30 degrees, leaving out straight up and straight down.
    static constexpr std::array<std::array<QPointF, 2>, 10> kMarks = {{
        {{{141, 26}, {144, 19}}},
        {{{57, 26}, {54, 19}}},
        {{{172, 58}, {179, 54}}},
        {{{27, 58}, {20, 54}}},
        {{{185, 100}, {193, 100}}},
        {{{15, 100}, {7, 100}}},
        {{{142, 173}, {146, 180}}},
        {{{57, 172}, {53, 180}}},
        {{{173, 142}, {180, 146}}},
        {{{27, 141}, {19, 146}}},
    }};
    face.setDrawWidth(5);
    face.setForeColor(kInstrumentYellow);
    for (const auto& mark : kMarks)
        line(face, mark[0], mark[1]);
}

void drawVorPointer(DrawSurface& face, std::optional<double> trackDeg, double vorBearing,
                    uint32_t colour, bool hsi)
{
    double a = 90.0;
    uint32_t pen = kInstrumentRed;
    if (trackDeg) {
        // Relative bearing of the VOR, single precision as the instrument always kept it.
        a = static_cast<float>(vorBearing - *trackDeg);
        pen = colour;
    }
    if (!std::isfinite(a))
        return;
    face.setDrawWidth(3);
    face.setForeColor(pen);
    const double inner = hsi ? 35.0 : 5.0;
    if (!hsi)
        face.Circle(kCentre, kCentre, 5.0);
    drawDoubleNeedle(face, a, inner, 94.0);
}

void drawCourseArrow(DrawSurface& face, double course, float angleDeg, double vorBearing)
{
    if (!std::isfinite(course) || !std::isfinite(angleDeg))
        return;
    const int ci = static_cast<int>(RoundHalfEven(course));
    const double d = course + static_cast<double>(angleDeg);

    face.setDrawWidth(3);
    face.setForeColor(kInstrumentMagenta);
    face.Line(100, 120, 100, 85);
    face.Line(85, 95, 115, 95);
    face.Line(95, 115, 105, 115);

    face.setForeColor(kInstrumentYellow);
    drawDoubleNeedle(face, d, 45.0, 95.0);

    face.setDrawWidth(2);
    for (const auto& dot : {polar(d - 90.0, 50.0), polar(d + 90.0, 50.0), polar(d - 90.0, 25.0),
                            polar(d + 90.0, 25.0)})
        face.Circle(dot.x(), dot.y(), 3.0);

    // Without a station (bearing NaN) there is no TO/FROM and no deviation: the arrow alone.
    if (!std::isfinite(vorBearing))
        return;

    // TO/FROM flag: a white triangle on the head side (TO) or the tail side (FROM), filled by
    // drawing it ever narrower.
    const double flagAngle = hsiShowsTo(ci, vorBearing) ? d : d + 180.0;
    const QPointF base = polar(flagAngle, 45.0);
    const QPointF apex = polar(flagAngle, 60.0);
    const double dr = d * kDegToRad;
    face.setDrawWidth(3);
    face.setForeColor(kInstrumentWhite);
    for (int i = 8; i >= 0; i -= 2) {
        const QPointF across(i * std::cos(dr), i * std::sin(dr));
        line(face, base, base - across);
        line(face, base, base + across);
        face.LineTo(apex.x(), apex.y());
        face.LineTo((base - across).x(), (base - across).y());
    }

    const double offset = hsiDeviationDeg(ci, vorBearing) * kHsiUnitsPerDegree;
    if (std::fabs(offset) < kHsiBarLimit) {
        const QPointF o(kCentre - offset * std::cos(dr), kCentre - offset * std::sin(dr));
        const QPointF along(40.0 * std::sin(dr), -40.0 * std::cos(dr));
        face.setForeColor(kInstrumentYellow);
        line(face, o, o + along);
        line(face, o, o - along);
    }
}

// ---------------------------------------------------------------- HSI arithmetic

bool stationFound(const InstrumentState& state)
{
    return state.vorStationKnown && !state.vorName.isEmpty();
}

void drawStationNeedle(DrawSurface& face, const InstrumentState& state,
                       std::optional<double> trackDeg, uint32_t colour)
{
    drawVorPointer(face, trackDeg, state.vorBearing, colour, state.mode == InstrumentMode::Hsi);
}

void drawSelectedCourse(DrawSurface& face, const InstrumentState& state, float angleDeg,
                        bool courseEntryOpen)
{
    const std::optional<double> course = selectedCourse(state.course);
    if (courseEntryOpen || !course)
        return;
    drawCourseArrow(face, *course, angleDeg,
                    stationFound(state) ? state.vorBearing
                                        : std::numeric_limits<double>::quiet_NaN());
}

void drawInstrumentOverlay(DrawSurface& face, const InstrumentState& state, float angleDeg,
                           std::optional<double> trackDeg, bool courseEntryOpen)
{
    if (state.mode == InstrumentMode::Kurs) {
        drawAircraftSymbol(face);
        return;
    }
    if (stationFound(state))
        drawStationNeedle(face, state, trackDeg, kInstrumentCyan);
    if (state.mode == InstrumentMode::Hsi)
        drawSelectedCourse(face, state, angleDeg, courseEntryOpen);
}

std::optional<double> selectedCourse(const QString& caption)
{
    const std::optional<double> course = wholeNumber(caption);
    // The entry box takes 0..360 only; anything else (a damaged VOR.crm) is not drawn.
    if (!course || *course > 360.0 || *course < 0.0)
        return std::nullopt;
    return course;
}

double reduceDegrees180(double degrees)
{
    if (!std::isfinite(degrees))
        return degrees;
    double r = std::fmod(degrees, 360.0);
    if (r <= -180.0)
        r += 360.0;
    else if (r > 180.0)
        r -= 360.0;
    return r;
}

bool hsiShowsTo(int courseDeg, double vorBearing)
{
    if (!std::isfinite(vorBearing))
        return false;
    // TO when lower < course < lower + 180 round the compass, lower = bearing - 90 rounded.
    // Halves to even round bearing - 90 and bearing + 90 alike, so the window is 180 wide.
    const double lower = RoundHalfEven(vorBearing - 90.0);
    double k = std::fmod(static_cast<double>(courseDeg) - lower, 360.0);
    if (k < 0.0)
        k += 360.0;
    return k > 0.0 && k < 180.0;
}

double hsiDeviationDeg(int courseDeg, double vorBearing)
{
    double dev = reduceDegrees180(static_cast<double>(courseDeg) - vorBearing);
    if (std::fabs(dev) > 165.0) // flying FROM: against the reciprocal course
        dev = reduceDegrees180(-dev - 180.0);
    return dev;
}

// ---------------------------------------------------------------- VOR navigation

std::optional<VorNav> calcNavToVor(double vorLatDeg, double vorLonDeg, double ownLatDeg,
                                   double ownLonDeg, double previousBearing)
{
    if (!std::isfinite(vorLatDeg) || !std::isfinite(vorLonDeg) || !std::isfinite(ownLatDeg) ||
        !std::isfinite(ownLonDeg))
        return std::nullopt;
    const double vLat = vorLatDeg * kDegToRad;
    const double vLon = vorLonDeg * kDegToRad;
    const double oLat = ownLatDeg * kDegToRad;
    const double oLon = ownLonDeg * kDegToRad;
    if ((vLat == oLat && vLon == oLon) || vLat == 0.0 || vLon == 0.0 || oLat == 0.0 || oLon == 0.0)
        return std::nullopt;

    const double dist = Arccos(std::sin(vLat) * std::sin(oLat) +
                               std::cos(vLat) * std::cos(oLat) * std::cos(vLon - oLon));
    VorNav nav;
    nav.distanceNm = dist * 60.0 * 180.0 / kGeoPi;
    nav.bearingDeg = previousBearing;
    // Below about 6 m the course formula divides by (nearly) zero: keep the last bearing.
    constexpr double kMinDistRad = 1.0e-6;
    if (!(dist >= kMinDistRad))
        return nav;
    double bearing;
    if (oLon < vLon) {
        bearing = Arccos((std::sin(vLat) - std::sin(oLat) * std::cos(dist)) /
                         (std::sin(dist) * std::cos(oLat))) *
                  180.0 / kGeoPi;
    } else {
        bearing = Arccos((std::sin(oLat) - std::sin(vLat) * std::cos(dist)) /
                         (std::sin(dist) * std::cos(vLat))) *
                      180.0 / kGeoPi +
                  180.0;
    }
    if (std::isfinite(bearing))
        nav.bearingDeg = bearing;
    return nav;
}

QString vorDistanceText(double distanceNm)
{
    return formatNumber(distanceNm,
                        distanceNm < 30.0 ? QStringLiteral("##0.0") : QStringLiteral("##0"));
}

// ---------------------------------------------------------------- waypoint table

std::optional<WaypointPosition> findWaypointByName(Connection& connection, const QString& name)
{
    Recordset rs;
    rs.Open(R"(SELECT "Name", "Lat", "Long" FROM "Waypoints" WHERE "Name" = ? )"
            R"(ORDER BY "Name" ASC, "PointID" ASC LIMIT 1)",
            connection, {Value(name.toStdString())});
    if (rs.RecordCount() < 1)
        return std::nullopt;
    WaypointPosition found;
    found.name = QString::fromStdString(rs.Field("Name").toString());
    found.latDDMM = rs.Field("Lat").toDouble();
    found.longDDMM = rs.Field("Long").toDouble();
    return found;
}

std::optional<QString> firstWaypointNameFrom(Connection& connection, const QString& typed)
{
    Recordset rs;
    rs.Open(R"(SELECT "Name" FROM "Waypoints" WHERE "Name" >= ? )"
            R"(ORDER BY "Name" ASC, "PointID" ASC LIMIT 1)",
            connection, {Value(typed.toStdString())});
    if (rs.RecordCount() < 1)
        return std::nullopt;
    return QString::fromStdString(rs.Field("Name").toString());
}

VorLookupResult lookupSelectedVor(Connection* connection, const QString& name,
                                  InstrumentState& state)
{
    VorLookupResult result;
    if (connection == nullptr || !connection->IsOpen())
        return result;
    try {
        result.waypoint = findWaypointByName(*connection, name);
    } catch (const DbError& e) {
        logIgnoredFault(e, "no station: the instrument keeps its last values");
        return result;
    }
    if (result.waypoint) {
        state.missingVorReported.clear();
    } else if (state.missingVorReported != name) {
        state.missingVorReported = name;
        result.reportMissing = true;
    }
    return result;
}

} // namespace tv
