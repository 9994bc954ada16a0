#pragma once

#include <filesystem>

namespace tv {

// The program folder: the folder of the running executable. Every data file, settings file and
// chart lives in it or in a fixed subfolder of it.
std::filesystem::path programFolder();

// Test hook: makes programFolder() answer `folder` for the rest of the process (an empty path
// goes back to the executable's folder). The program itself never calls it.
void setProgramFolderForTesting(const std::filesystem::path& folder);

// programFolder() / name, as a string for the callers that build paths as text.
std::string programFile(const std::string& name);

} // namespace tv
