#pragma once

// The source check of the error policy: a catch either tells the pilot, hands the fault on, or
// says why it passes the fault over and logs it. A catch whose body holds nothing but blanks,
// comments and semicolons swallows the fault without a word, and the check finds it.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tv::tools {

// The lines (1 = first) of the empty catches in one C++ source. Comments, string literals
// (raw ones included) and character literals are no code; a ' between digits separates them.
std::vector<int> emptyCatchLines(std::string_view source);

// Every .cpp and .h under `root`, except tests/, bench/, hidden folders and build folders (those
// holding a CMakeCache.txt): "path:line: ..." for each empty catch, paths relative to `root`
// with "/". Files in `notYetCleaned` are passed over, and each of them that holds no empty catch
// any more is named too, so that the list only ever shrinks.
std::vector<std::string> emptyCatchFindings(const std::filesystem::path& root,
                                            const std::set<std::string>& notYetCleaned);

} // namespace tv::tools
