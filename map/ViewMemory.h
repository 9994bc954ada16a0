#pragma once

// The flight window's view memory: for every chart that has been left, where the pilot was
// looking. Held in an unconnected recordset and saved as the rowset XML file position.crm in
// the program folder, one row per chart, rows never deleted:
//   Karte      text     chart name (the Maps row's Name); any length
//   SX, SY     double   top-left corner of the source rectangle, chart image pixels
//   SW, SH     double   width and height of the source rectangle, image pixels
//   SlideMap   double   zoom slider, -100..100
//   CenterMap  boolean  the view followed the aircraft
// Files of earlier versions hold Karte as text of 30 characters padded with blanks; they load,
// and are saved back with the unlimited field so that long chart names can be stored.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace tv {

class Recordset;

struct StoredView
{
    double sx = 0.0;
    double sy = 0.0;
    double sw = 0.0;
    double sh = 0.0;
    double slider = 0.0;
    bool centerMap = false;
};

// An empty, open memory with the seven fields.
std::shared_ptr<Recordset> newViewMemory();

// The memory saved at `path`; an empty one when the file is missing or unreadable.
std::shared_ptr<Recordset> loadViewMemory(const std::filesystem::path& path);

// The stored view of `chart` (names compare as the database compares them: case and trailing
// blanks do not count). Empty when there is none or one of its values is missing.
std::optional<StoredView> findView(Recordset& memory, const std::string& chart);

// Stores the view of `chart` (replacing its row or adding one) and saves the whole memory to
// `path` (temporary file + rename). False when either failed; a failed save keeps the old file.
bool storeView(Recordset& memory, const std::string& chart, const StoredView& view,
               const std::filesystem::path& path);

} // namespace tv
