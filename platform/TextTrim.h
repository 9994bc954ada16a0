#pragma once

#include <string_view>

namespace tv {

// Both ends of `text` without blanks and tabs: what the settings files, field values and
// typed numbers allow around a value.
std::string_view trimBlanks(std::string_view text);

// Both ends of `text` without blanks (tabs stay): NMEA lines and the version text, where a tab
// is content and not padding.
std::string_view trimSpaces(std::string_view text);

} // namespace tv
