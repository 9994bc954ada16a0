#pragma once

// The waypoint categories: an ordered list of names in the table Kategorie of data.tvd. A
// waypoint names its category in Waypoints.Kategorie (no key between the two), so renaming and
// deleting a category carry the change into the waypoints. Names compare ignoring case (the
// column collation), as the duplicate check of adding always has.
//
// Rows are addressed by their 1-based place in the list ordered by Nummer, the order in which
// the settings window shows them (categoryListSql). Nummer is 1..n after every operation.
// Each operation runs in one transaction and throws DbError when the database refuses it; the
// list is then as it was before.

#include <string>
#include <string_view>
#include <vector>

namespace tv {

class Connection;

// The SELECT the settings window lists the categories with; positions below refer to it.
extern const char* const kCategoryListSql;

struct CategoryRow
{
    std::string name;
    double number = 0.0;
};

enum class CategoryStatus {
    Done,
    EmptyName, // refused: no name given
    TooLong,   // refused: longer than the data file holds (core/NameLength.h)
    Duplicate, // refused: another category has that name already (any letter case)
    NoRow,     // nothing to do: the list is empty or the place does not exist
};

struct CategoryOutcome
{
    CategoryStatus status = CategoryStatus::NoRow;
    // Done: the 1-based place of the row to select afterwards; 0 when the list is now empty.
    long position = 0;
};

// The list in order.
std::vector<CategoryRow> listCategories(Connection& db);

// Adds `name` directly below the row at `selectedPosition` (1-based; 0 or a place past the end
// adds it at the end), or first in an empty list; an empty name, one too long and one taken
// are refused. Result position: the new row's place.
CategoryOutcome addCategory(Connection& db, std::string_view name, long selectedPosition);

// Renames the row at `position` and every waypoint of its old name. An empty name, one too
// long and a name another row already has are refused (the row's own name in other letter
// case is fine). Result position: `position`.
CategoryOutcome renameCategory(Connection& db, long position, std::string_view newName);

// Deletes the row at `position`; its waypoints get the empty category "" (not Null). Result
// position: the row that took the deleted one's place, the new last row when the last one was
// deleted, 0 when the list is empty now.
CategoryOutcome deleteCategory(Connection& db, long position);

} // namespace tv
