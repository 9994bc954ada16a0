#pragma once

#include <filesystem>

namespace tv {

// The program folder: the folder of the running executable. Every data file, settings file and
// chart lives in it or in a fixed subfolder of it.
std::filesystem::path programFolder();

// Test hook: makes programFolder() answer `folder` for the rest of the process (an empty path
// goes back to the executable's folder). The program itself never calls it.
void setProgramFolderForTesting(const std::filesystem::path& folder);

// The subfolders the program reads and writes by fixed name: chart images with their
// calibration files, exported routes, saved flight plans.
inline constexpr const char* kProgramSubfolders[] = {"Karten", "Route", "Flugplan"};

// At start: removes what saves killed before their rename left behind (platform/AtomicFile.h)
// in the program folder and its subfolders. Returns how many files were removed.
int removeStaleSaves();

// programFolder() / name, as a string for the callers that build paths as text.
std::string programFile(const std::string& name);

} // namespace tv
