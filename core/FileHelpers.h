#pragma once

#include <string>
#include <vector>

namespace tv {

// True when `filename` (a full path) names an ordinary file that is not hidden: a folder is
// false, and so is a file whose name starts with "." (our stand-in for the hidden attribute).
// Links are followed. Any failure to look (no permission, malformed path) answers false rather
// than reaching the caller.
bool FileExists(const std::string& filename);

// True when `path` names an existing folder (hidden ones included). Any failure answers false.
bool DirExists(const std::string& path);

// Index (0 = first) of the first entry that equals `text` (exact) or begins with it (not
// exact), ignoring case, umlauts included; -1 when none matches.
int SearchList(const std::vector<std::string>& items, const std::string& text, bool exact);

} // namespace tv
