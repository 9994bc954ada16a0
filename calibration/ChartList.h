#pragma once

// The chart images of the chart folder Karten (map/ChartImage.h) and the Maps table of data.tvd.
//
// Maps holds one row per chart image: Name (file name with extension, the key of every lookup,
// compared ignoring case), the edges Unten, Oben, Links, Rechts (DD.MM, south and west
// negative), the image size Breite, Höhe (pixels) and Active (0/1: offered in the flight and
// plan windows). Every reader relies on Unten < Oben, Links < Rechts and a true pixel size.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tv {

class Connection;

// The chart images of `folder`: the "*.bmp" files, then the "*.jpg" files, each extension
// matched ignoring case (DEMO.BMP is listed) and each group sorted by name ignoring case,
// because the order in which a folder lists its entries is arbitrary. Hidden files (names
// beginning with ".") and folders are left out. Empty when the folder is missing or cannot be
// listed.
std::optional<std::vector<std::string>> listChartImages(const std::filesystem::path& folder);

struct ChartListRefill
{
    bool listed = false;              // false: the folder is missing or cannot be listed
    std::vector<std::string> names;   // the list, as listChartImages gives it
    std::vector<bool> active;         // per list entry: a Maps row of it is active
    std::vector<std::string> deleted; // names of the Maps rows deleted (image gone)
};

// The refill of the chart list: lists `folder`, deletes the Maps rows whose image is not in
// the list (names compared ignoring case) in one transaction, and tells which entries are
// active. When the folder cannot be listed nothing is deleted and the list is empty. Throws
// DbError when the table cannot be read or changed (then nothing is deleted).
ChartListRefill refillChartList(Connection& connection, const std::filesystem::path& folder);

} // namespace tv
