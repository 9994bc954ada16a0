#pragma once

#include <filesystem>
#include <string_view>

// The four data files of a program folder and the one place that creates them. The program
// itself only opens existing files; new files come from here (the tool tramvik-mkfolder and the
// fixtures of the tests).
namespace tv::schema {

enum class DataFile {
    Main,     // data.tvd: waypoints, routes, waypoint categories, charts
    Track,    // track.tvd: recorded tracks
    Airspace, // Luftraum.tvd: airspace outlines and the release date of the data
    Airport,  // tvdata.tvd: airports, runways, radio stations, country prefixes
};

// The file's fixed name in the program folder, e.g. "data.tvd".
std::string_view fileName(DataFile which);

// The SQL that creates every table and index of `which`: the text of schema/<file name>.sql.
// The text columns of data.tvd and track.tvd declare COLLATE TVNOCASE, so the connection that
// runs it (or later changes the file) must have registered that collation
// (platform/Collation.h). Luftraum.tvd and tvdata.tvd come from outside and are plain SQLite.
std::string_view creationSql(DataFile which);

// Creates the NEW SQLite file `file` holding the empty tables of `which`. The folder must exist.
// Never touches anything already at that path: an existing file (of any kind, also an empty
// one) is refused. Throws std::runtime_error with a message naming the file on any failure, and
// then leaves no file behind.
void createDataFile(const std::filesystem::path& file, DataFile which);

} // namespace tv::schema
