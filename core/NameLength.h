#pragma once

// The one length rule for names the pilot types or a file brings: waypoints, route points,
// routes, categories and charts. Their columns in data.tvd are VARCHAR(255) (schema/data.sql);
// a longer name is refused before anything is stored, with a message that says which name is
// too long.
//
// The count is characters (Unicode code points of the UTF-8 text), not bytes: SQLite keeps the
// text as UTF-8 and does not enforce the width itself, while our Recordset refuses a value by
// this same count (platform/Field.h, characterCount) - so "Überlingen" is 10, not 11. Counting
// bytes would refuse names of umlauts that the data file holds; counting UTF-16 units, as a
// QString does, would let names of characters beyond U+FFFF through to a refusal by the
// database without a reason.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

enum class NameKind { Waypoint, RoutePoint, Route, Category, Chart };

inline constexpr std::size_t kMaxNameCharacters = 255;

// `utf8` fits a name column.
bool nameFits(std::string_view utf8);

// "zu lang (höchstens 255 Zeichen)" / "too long (at most 255 characters)": the reason alone, for
// messages that name the name themselves. `language` 0 is German, any other value English.
std::string nameTooLongReason(int language);

// "Der Name des Wegpunkts ist zu lang (höchstens 255 Zeichen)." / "The waypoint name is too
// long (at most 255 characters)." and so on for each kind; a chart is a "map" in English, as
// the calibration window calls it.
std::string nameTooLongMessage(NameKind kind, int language);

// The check every window and reader makes before it stores a name: empty when `utf8` fits,
// otherwise nameTooLongMessage.
std::optional<std::string> checkNameLength(NameKind kind, std::string_view utf8, int language);

} // namespace tv
