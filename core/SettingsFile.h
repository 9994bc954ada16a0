#pragma once

// The settings files (*.crm) of the program: small text files, one value per line, every line
// ended by CR LF. Value forms on the line:
//   text            "Kurs"          (double quotes around the text, nothing escaped)
//   whole number    1013  -5        (bare decimal digits)
//   fraction        48.3012         (bare, "." whatever the locale, shortest exact form)
//   truth value     #TRUE#  #FALSE#
//   date            #2024-03-07#
// Every settings file of the program is written by SettingsWriter and read by SettingsReader.

#include "core/Dates.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// Collects the values of one file, then saves them in one go.
class SettingsWriter
{
public:
    // A text in quotes. Line breaks inside it would split the value and become blanks.
    SettingsWriter& writeText(std::string_view text);
    SettingsWriter& writeWhole(int64_t value);
    // Shortest form that reads back to the same double: 48.3012, 47, -0.5, 1e+21.
    SettingsWriter& writeNumber(double value);
    SettingsWriter& writeBool(bool value);
    SettingsWriter& writeDate(Date date);

    // The file content so far.
    const std::string& content() const { return content_; }

    // Replaces the file at `path` (temporary file + rename). False when the file could not be
    // written; the old file, if any, is then unchanged. A file that already holds exactly this
    // content is left as it is and counts as saved.
    [[nodiscard]] bool save(const std::filesystem::path& path) const;

private:
    void addLine(std::string_view line);

    std::string content_;
};

// The largest settings file that is read, bytes. The largest file the program writes holds a
// few lines; anything beyond this limit is damaged and counts as unreadable (so its reader
// repairs it) instead of being loaded whole.
inline constexpr size_t kMaxSettingsFileBytes = 16 * 1024;

// Reads the values of one file in order, one line each. Lines may end in CR LF or LF alone.
//
// Each read takes the next line and converts it; the result is empty when the file is missing
// or unreadable, when there is no further line, or when the line does not convert. The first
// failure sticks: later reads fail too, so a caller may read everything and test ok() once.
// As with files the program wrote in earlier versions, the forms are forgiving where nothing
// can be misread: a quoted "10" reads as a number, a bare 10 reads as the text "10".
class SettingsReader
{
public:
    explicit SettingsReader(const std::filesystem::path& path);

    // The file was found and read.
    bool opened() const { return opened_; }
    // No read has failed so far (false at once when the file was not opened).
    bool ok() const { return !failed_; }

    // The line's text without the enclosing quotes (quoted line) or trimmed (bare line).
    std::optional<std::string> readText();
    // Whole numbers: any number, rounded with halves to even, within the type's range.
    std::optional<int16_t> readInt16();
    std::optional<int32_t> readInt32();
    // A finite number with "." as decimal point, quoted or bare.
    std::optional<double> readNumber();
    // #TRUE# / #FALSE#, True / False (any case, quoted or bare), or a number (not 0 = true).
    std::optional<bool> readBool();
    // #yyyy-mm-dd#, also quoted or bare yyyy-mm-dd.
    std::optional<Date> readDate();

private:
    std::optional<std::string_view> nextLine();
    template <typename T> std::optional<T> fail();

    bool opened_ = false;
    bool failed_ = false;
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

// Parses a number the way settings files hold it: optional sign, digits with an optional "."
// fraction and exponent; blanks around it are ignored. Empty for anything else, NaN and
// infinities included.
std::optional<double> parseSettingsNumber(std::string_view text);

} // namespace tv
