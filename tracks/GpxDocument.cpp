#include "tracks/GpxDocument.h"

#include "core/Dates.h"
#include "core/NumberFormat.h"
#include "platform/AtomicFile.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <cerrno>
#include <cmath>
#include <string_view>

namespace tv {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Seven lines joined by CR LF. The blank at the end of the first line and the two blanks before
// xmlns:topografix are part of the layout other programs have always received from us.
constexpr std::string_view kHeader =
    "<?xml version=\"1.0\"?> \r\n"
    "<gpx\r\n"
    " version=\"1.1\"\r\n"
    " creator=\"Oskelund - http://www.tramvik.invalid\"\r\n"
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    "  xmlns:topografix=\"http://www.topografix.com/GPX/Private/TopoGrafix/0/1\"\r\n"
    " xmlns=\"http://www.topografix.com/GPX/1/1\"\r\n"
    " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1"
    " http://www.topografix.com/GPX/1/1/gpx.xsd\">";

// Coordinates: 4 decimals, only significant digits, "." whatever the locale. A pattern rounds
// halves away from zero (48.12345 -> 48.1235); only the height goes to even.
constexpr std::string_view kCoordinatePattern = "###.####";
constexpr NumberStyle kCoordinateStyle{'.', HalfRounding::AwayFromZero};

// The fields of one point, looked up once per document.
struct PointFields
{
    int index, number, lat, lon, height, date, time;

    explicit PointFields(const Recordset& rs)
        : index(rs.FieldIndex("Index")), number(rs.FieldIndex("Number")), lat(rs.FieldIndex("Lat")),
          lon(rs.FieldIndex("Long")), height(rs.FieldIndex("Height")), date(rs.FieldIndex("Date")),
          time(rs.FieldIndex("Time"))
    {
        if (index < 0 || number < 0 || lat < 0 || lon < 0 || height < 0 || date < 0 || time < 0)
            throw DbError("the points lack a field of the track table");
    }
};

bool twoDigits(std::string_view text, size_t at, int max, int& value)
{
    const char a = text[at], b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return false;
    value = (a - '0') * 10 + (b - '0');
    return value <= max;
}

// A coordinate text within +-`limit` degrees: the whole degrees below the limit, or the limit
// itself without decimals ("90.", "-180.").
bool withinDegrees(std::string_view text, int limit)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const size_t point = text.find('.');
    int whole = 0;
    for (size_t i = 0; i < point && i < text.size(); ++i)
        whole = whole * 10 + (text[i] - '0');
    return whole < limit || (whole == limit && point + 1 == text.size());
}

enum class PointPosition { Written, Missing, OutOfRange };

// The "lat" and "lon" attribute texts of a point. A point has no position a GPX reader accepts
// when either value is empty or no number, or when it lies outside latitude -90..90 or
// longitude -180 to below 180 as written (rounded to the 4 decimals shown).
PointPosition positionTexts(const Value& latValue, const Value& lonValue, std::string& lat,
                            std::string& lon)
{
    constexpr double kHalfShownDigit = 0.00005;
    const std::optional<double> latDeg = latValue.asNumber();
    const std::optional<double> lonDeg = lonValue.asNumber();
    if (!latDeg || !lonDeg)
        return PointPosition::Missing;
    // The bounds spare the formatting of values far out; a value within a rounding of the
    // limit is decided by its text.
    if (!(std::fabs(*latDeg) < 90.0 + kHalfShownDigit) ||
        !(std::fabs(*lonDeg) < 180.0 + kHalfShownDigit))
        return PointPosition::OutOfRange;
    lat = gpxCoordinate(*latDeg);
    lon = gpxCoordinate(*lonDeg);
    if (!withinDegrees(lat, 90) || !withinDegrees(lon, 180))
        return PointPosition::OutOfRange;
    // 180 east and 180 west are one meridian; the schema takes it only as -180.
    if (lon == "180.")
        lon = "-180.";
    return PointPosition::Written;
}

// Appends one point's element to `out`: "wpt" with its name, or "trkpt" with its time, each
// after a blank line. A point without a position a GPX reader accepts is left out.
PointPosition appendPoint(std::string& out, const Recordset& rs, const PointFields& f,
                          bool waypoint)
{
    std::string lat, lon;
    const PointPosition position = positionTexts(rs.Field(f.lat), rs.Field(f.lon), lat, lon);
    if (position != PointPosition::Written)
        return position;
    out += kCrLf;
    out += kCrLf;
    out += waypoint ? "<wpt lat=\"" : "<trkpt lat=\"";
    out += lat;
    out += "\" lon=\"";
    out += lon;
    out += "\">";
    if (const std::optional<std::string> ele = gpxElevation(rs.Field(f.height))) {
        out += "\r\n <ele>";
        out += *ele;
        out += "</ele>";
    }
    if (waypoint) {
        out += "\r\n <name>";
        out += std::to_string(rs.Field(f.number).toInt());
        out += "</name>\r\n</wpt>";
    } else {
        if (const std::optional<std::string> t = gpxTime(rs.Field(f.date), rs.Field(f.time))) {
            out += "\r\n <time>";
            out += *t;
            out += "</time>";
        }
        out += "\r\n</trkpt>";
    }
    return position;
}

// Every point of the set as wpt or trkpt elements, written point by point; the points left out
// are counted into `leftOut`.
bool writePoints(AtomicFileWriter& file, Recordset& rs, const PointFields& f, bool waypoints,
                 GpxLeftOut& leftOut)
{
    leftOut = {};
    std::string piece;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        piece.clear();
        switch (appendPoint(piece, rs, f, waypoints)) {
        case PointPosition::Written:
            break;
        case PointPosition::Missing:
            ++leftOut.withoutPosition;
            break;
        case PointPosition::OutOfRange:
            ++leftOut.outOfRange;
            break;
        }
        if (!file.write(piece))
            return false;
    }
    rs.MoveFirst();
    return true;
}

// The document, written as the two text parts the export has always been made of: the first
// part (the header with the waypoints, or the whole track or waypoint document) and, for the
// combined document only, the second part (the track and the closing tag). Each part ends with
// CR LF in the file. Both parts of the combined document leave out the same points.
bool writeDocument(AtomicFileWriter& file, Recordset& rs, GpxKind kind, GpxLeftOut& leftOut)
{
    const PointFields f(rs);
    if (!file.write(kHeader))
        return false;
    switch (kind) {
    case GpxKind::Track:
        return file.write("\r\n<trk>\r\n<trkseg>") && writePoints(file, rs, f, false, leftOut) &&
               file.write("\r\n</trkseg></trk>\r\n</gpx>\r\n");
    case GpxKind::Waypoints:
        return writePoints(file, rs, f, true, leftOut) && file.write("\r\n</gpx>\r\n");
    case GpxKind::WaypointsAndTrack:
        return writePoints(file, rs, f, true, leftOut) && file.write("\r\n<trk>\r\n<trkseg>") &&
               writePoints(file, rs, f, false, leftOut) &&
               file.write("\r\n</trkseg></trk>\r\n</gpx>\r\n");
    }
    return false;
}

} // namespace

std::string gpxCoordinate(double degrees, char decimalMark)
{
    std::string text =
        formatPattern(degrees, kCoordinatePattern, {decimalMark, kCoordinateStyle.halves});
    const std::string mark(1, decimalMark);
    if (text == mark || text == "-" + mark)
        return "0" + mark;
    return text;
}

std::optional<std::string> gpxElevation(const Value& heightM)
{
    if (heightM.isNull())
        return std::nullopt;
    const std::optional<double> metres = heightM.asNumber();
    if (!metres)
        return std::nullopt;
    const std::string text = formatPattern(*metres, "0", {'.', HalfRounding::ToEven});
    if (text.empty())
        return std::nullopt;
    return text;
}

std::optional<std::string> gpxTime(const Value& date, const Value& time)
{
    const std::string dateText = date.toString();
    const std::string timeText = time.toString();
    if (dateText.size() != 10 || timeText.size() != 8 || timeText[2] != ':' || timeText[5] != ':')
        return std::nullopt;
    const std::optional<Date> day = parseIsoDate(dateText);
    int h = 0, m = 0, s = 0;
    if (!day || !twoDigits(timeText, 0, 23, h) || !twoDigits(timeText, 3, 59, m) ||
        !twoDigits(timeText, 6, 59, s))
        return std::nullopt;
    if (day->year() < std::chrono::year{1})
        return std::nullopt; // the schema's dateTime has no year 0
    // Ten characters that read as a calendar day are already "YYYY-MM-DD".
    return dateText + 'T' + timeText + 'Z';
}

QString proposedGpxName(Recordset& points)
{
    QString number;
    if (points.RecordCount() > 0) {
        points.MoveFirst();
        number = QString::number(points.Field("Index").toInt());
    }
    return QStringLiteral("Track") + number + QStringLiteral(".gpx");
}

int saveGpxFile(const std::filesystem::path& file, Recordset& points, GpxKind kind,
                GpxLeftOut* leftOut)
{
    GpxLeftOut counted;
    if (leftOut != nullptr)
        *leftOut = {};
    AtomicFileWriter writer;
    if (!writer.open(file))
        return writer.error();
    try {
        if (writeDocument(writer, points, kind, counted) && writer.commit()) {
            if (leftOut != nullptr)
                *leftOut = counted;
            return 0;
        }
    } catch (const DbError&) {
        writer.abort();
        return EIO;
    }
    const int error = writer.error();
    writer.abort();
    return error != 0 ? error : EIO;
}

QString gpxLeftOutMessage(const GpxLeftOut& leftOut, int language)
{
    if (leftOut.total() == 0)
        return {};
    const bool german = language == 0;
    const auto points = [german](int n) {
        const char* unit = german ? (n == 1 ? " Trackpunkt" : " Trackpunkte")
                                  : (n == 1 ? " trackpoint" : " trackpoints");
        return QString::number(n) + QLatin1String(unit);
    };
    QString text = german ? QStringLiteral("Die Datei wurde ohne %1 gespeichert:")
                          : QStringLiteral("The file was saved without %1:");
    text = text.arg(points(leftOut.total()));
    if (leftOut.withoutPosition > 0)
        text += QLatin1Char('\n') + points(leftOut.withoutPosition) +
                (german ? QStringLiteral(" ohne Position") : QStringLiteral(" without a position"));
    if (leftOut.outOfRange > 0)
        text += QLatin1Char('\n') + points(leftOut.outOfRange) +
                (german ? QStringLiteral(" außerhalb von ±90° Breite oder ±180° Länge")
                        : QStringLiteral(" outside ±90° latitude or ±180° longitude"));
    return text;
}

QString gpxWriteFailedMessage(const QString& file, int language)
{
    return language == 0 ? QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(file)
                         : QStringLiteral("The file %1 could not be written.").arg(file);
}

} // namespace tv
