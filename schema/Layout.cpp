#include "schema/Layout.h"

#include "platform/ProgramFolder.h"
#include "schema/CreateDetail.h"
#include "schema/Schema.h"

#include <cctype>
#include <ctime>
#include <stdexcept>
#include <string>

namespace tv::schema {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& p)
{
    return "\"" + p.string() + "\"";
}

void makeFolder(const fs::path& folder)
{
    std::error_code ec;
    const fs::file_status st = fs::status(folder, ec);
    if (fs::is_directory(st))
        return;
    if (fs::exists(st))
        throw std::runtime_error(quoted(folder) + " exists but is not a folder");
    fs::create_directories(folder, ec);
    if (ec)
        throw std::runtime_error("Cannot make the folder " + quoted(folder) + ": " + ec.message());
}

bool allDigits(const std::string& s, size_t from, size_t count)
{
    for (size_t i = from; i < from + count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    return true;
}

int number(const std::string& s, size_t from, size_t count)
{
    return std::stoi(s.substr(from, count));
}

// "yyyy-mm-dd" or "yyyy-mm-ddThh:mm:ss", the two forms DATETIME columns hold.
bool isDateTimeText(const std::string& s)
{
    if (s.size() != 10 && s.size() != 19)
        return false;
    if (!allDigits(s, 0, 4) || s[4] != '-' || !allDigits(s, 5, 2) || s[7] != '-' ||
        !allDigits(s, 8, 2))
        return false;
    const int month = number(s, 5, 2);
    const int day = number(s, 8, 2);
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (s.size() == 10)
        return true;
    if (s[10] != 'T' || !allDigits(s, 11, 2) || s[13] != ':' || !allDigits(s, 14, 2) ||
        s[16] != ':' || !allDigits(s, 17, 2))
        return false;
    return number(s, 11, 2) < 24 && number(s, 14, 2) < 60 && number(s, 17, 2) < 60;
}

std::string todayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = {};
    if (!localtime_r(&now, &local) || std::strftime(text, sizeof text, "%Y-%m-%d", &local) == 0)
        throw std::runtime_error("Cannot read today's date for the airspace release");
    return text;
}

std::string releaseDate(const LayoutOptions& options)
{
    if (options.airspaceRelease.empty())
        return todayText();
    if (!isDateTimeText(options.airspaceRelease))
        throw std::runtime_error("Airspace release date \"" + options.airspaceRelease +
                                 "\" is not of the form yyyy-mm-dd");
    return options.airspaceRelease;
}

// Makes the data file `which` in `folder` unless a file of that name is there already.
void ensureDataFile(const fs::path& folder, DataFile which,
                    const std::function<void(sqlite3*)>& fill = {})
{
    const fs::path file = folder / fileName(which);
    std::error_code ec;
    const fs::file_status target = fs::status(file, ec);
    if (fs::is_regular_file(target))
        return; // kept as it is, whatever it holds
    if (fs::exists(fs::symlink_status(file, ec)))
        throw std::runtime_error(quoted(file) + " exists but is not a file");
    detail::createDataFile(file, which, fill);
}

} // namespace

void layoutProgramFolder(const std::filesystem::path& folder, const LayoutOptions& options)
{
    if (folder.empty())
        throw std::runtime_error("No program folder given");

    // Settle everything that can be refused before anything is made.
    std::string release;
    if (options.airspace == AirspaceFile::WithRelease)
        release = releaseDate(options);

    makeFolder(folder);
    for (const char* sub : kProgramSubfolders)
        makeFolder(folder / sub);

    ensureDataFile(folder, DataFile::Main);
    ensureDataFile(folder, DataFile::Track);

    if (options.airspace == AirspaceFile::WithRelease) {
        ensureDataFile(folder, DataFile::Airspace, [&](sqlite3* db) {
            detail::runWithText(db, "INSERT INTO \"RELEASE\" (\"Datum\") VALUES (?)", release,
                                "Cannot store the airspace release date");
        });
    } else if (options.airspace == AirspaceFile::WithoutRelease) {
        ensureDataFile(folder, DataFile::Airspace);
    }

    if (options.airports)
        ensureDataFile(folder, DataFile::Airport);
}

} // namespace tv::schema
