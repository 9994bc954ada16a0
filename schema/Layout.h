#pragma once

#include <filesystem>
#include <string>

// Laying out a program folder: the folder the executable runs from, with its data files and the
// fixed subfolders. Tests of every area build their fixture folders with it:
//
//     tvtest::TempDir dir;
//     tv::schema::layoutProgramFolder(dir.path());            // data.tvd, track.tvd, folders
//     tv::setProgramFolderForTesting(dir.path());
//
//     tv::schema::LayoutOptions all;                           // plus both optional files
//     all.airspace = tv::schema::AirspaceFile::WithRelease;
//     all.airspaceRelease = "2024-03-21";
//     all.airports = true;
//     tv::schema::layoutProgramFolder(dir.path(), all);
//
// Fill the tables afterwards with plain SQL (register the TVNOCASE collation first).
namespace tv::schema {

// Whether and how the airspace data file Luftraum.tvd is made.
enum class AirspaceFile {
    None,           // not made: the program runs without airspaces
    WithRelease,    // made, its RELEASE table holding one row dated LayoutOptions::airspaceRelease
    WithoutRelease, // made, RELEASE empty: the program treats it as an outdated file
};

struct LayoutOptions
{
    AirspaceFile airspace = AirspaceFile::None;
    // RELEASE.Datum for AirspaceFile::WithRelease: "yyyy-mm-dd" or "yyyy-mm-ddThh:mm:ss".
    // Empty means the local date of today.
    std::string airspaceRelease;
    // Also make the airport data file tvdata.tvd (empty tables).
    bool airports = false;
};

// Makes `folder` (and its parents) if needed, its subfolders "Karten", "Route" and "Flugplan",
// and the data files: always data.tvd and track.tvd, Luftraum.tvd and tvdata.tvd as `options`
// say. Every file gets empty tables (apart from the RELEASE row).
//
// Never overwrites: a folder or data file that already exists is kept as it is, so laying out
// an existing program folder again only adds what is missing. Throws std::runtime_error with a
// clear message when something cannot be made (a path in the way that is not a folder, a data
// file name taken by something that is not a file, no permission, a malformed release date);
// what was made before the failure stays.
void layoutProgramFolder(const std::filesystem::path& folder, const LayoutOptions& options = {});

} // namespace tv::schema
