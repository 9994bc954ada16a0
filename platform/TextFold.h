#pragma once

#include <string>
#include <string_view>

namespace tv {

// Case folding for names as the pilot sees them: ASCII letters and the Latin-1 letters of UTF-8
// text (Ä/ä, Ö/ö, Ü/ü, É/é, ...) compare equal regardless of case. Other bytes pass unchanged.
// The one rule behind every case-insensitive match of the program: database collation, Find,
// Filter and list search.
std::string foldCase(std::string_view utf8);

// <0, 0, >0 like strcmp, on the folded texts.
int compareNoCase(std::string_view a, std::string_view b);

inline bool equalsNoCase(std::string_view a, std::string_view b)
{
    return compareNoCase(a, b) == 0;
}

// True when `text` begins with `prefix`, ignoring case.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace tv
