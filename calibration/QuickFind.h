#pragma once

// The quick find of a reference point: the waypoints whose name begins with what the pilot
// typed, ignoring case. The text is a plain prefix, never a pattern: "B_" finds names beginning
// "B_", not "Bx". An empty text finds only waypoints with an empty name.

#include <string>
#include <string_view>

namespace tv {

class Connection;
class Recordset;

// The LIKE pattern (with ESCAPE '\') for names beginning with `prefix`: the wildcards % and _
// and the escape character itself are taken literally. "" for an empty prefix.
std::string namePrefixPattern(std::string_view prefix);

// Opens `rs` on the Waypoints rows whose Name begins with `prefix` (every field, in the order
// of the table). Throws DbError when the query fails.
void openWaypointQuickFind(Recordset& rs, Connection& connection, std::string_view prefix);

} // namespace tv
