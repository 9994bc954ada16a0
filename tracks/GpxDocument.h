#pragma once

// GPX 1.1 export of track points: a track, waypoints, or waypoints followed by the same points
// as a track. The documents keep the program's own line layout byte for byte (CR LF, blank
// lines between points, a blank after the XML declaration) and hold ASCII only. No user text
// enters a document, so nothing needs escaping.
//
// The points come from the track manager's points recordset (fields "Index", "Number", "Lat",
// "Long" in decimal degrees, "Height" in metres, "Date" "YYYY-MM-DD", "Time" "HH:MM:SS" UTC) and
// are written in its order while it is stepped through: no document is ever held whole.

#include "platform/Value.h"

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

namespace tv {

class Recordset;

enum class GpxKind {
    Track,             // one trk with one trkseg
    Waypoints,         // one wpt per point, named by its point number
    WaypointsAndTrack, // the waypoints, then the same points as a track
};

// Creator attribute of the documents.
inline constexpr const char* kGpxCreator = "Oskelund - http://www.tramvik.invalid";

// Latitude or longitude in decimal degrees as the documents write it: rounded to 4 decimals,
// halves away from zero, only significant digits, a point in files ("48.1235", "8.", ".5",
// "-.25"). A value that rounds to zero is "0.", since "." alone is no number to a GPX reader.
// The points grid shows the same text with the user's decimal mark.
std::string gpxCoordinate(double degrees, char decimalMark = '.');
// Height in metres as a whole number, halves to even, sign kept ("-12", "14"); empty when the
// height is empty or no number (the point then gets no <ele>).
std::optional<std::string> gpxElevation(const Value& heightM);
// "YYYY-MM-DDTHH:MM:SSZ" from the stored date and time; empty when either is not a well-formed
// date or time of day (the point then gets no <time>).
std::optional<std::string> gpxTime(const Value& date, const Value& time);

// The name the save dialog proposes: "Track" and the track number of the set's first point
// ("Track12.gpx"). The set is left on its first row.
QString proposedGpxName(Recordset& points);

// The points a document leaves out, by reason; each point counts once, also in the combined
// document that holds every point twice.
struct GpxLeftOut
{
    int withoutPosition = 0; // latitude or longitude empty or no number
    int outOfRange = 0;      // outside -90..90 / -180..180 as written
    int total() const { return withoutPosition + outOfRange; }
};

// Writes the document of `kind` for every row of `points`, from its first row, to `file`: to a
// temporary file beside it that is synced and renamed over `file`, so a failed write leaves no
// partial file and keeps an existing one. Rows without a latitude or longitude that a GPX
// reader accepts (empty, or outside -90..90 / -180..180) are left out and, when the file was
// written, counted into `leftOut`. The set is left on its first row. Returns 0, or the errno of
// the failure.
int saveGpxFile(const std::filesystem::path& file, Recordset& points, GpxKind kind,
                GpxLeftOut* leftOut = nullptr);

// What the pilot is told after a save that left points out: how many and why, by Language;
// empty when none was left out.
QString gpxLeftOutMessage(const GpxLeftOut& leftOut, int language);

// "Die Datei … konnte nicht geschrieben werden." naming the file, by Language.
QString gpxWriteFailedMessage(const QString& file, int language);

} // namespace tv
