#include "core/SettingsFile.h"

#include "core/Rounding.h"
#include "platform/AtomicFile.h"
#include "platform/TextFold.h"
#include "platform/TextTrim.h"

#include <charconv>
#include <cmath>
#include <fstream>

namespace tv {
namespace {

// The value of a line read as text: inside the quotes when it starts with one (everything up
// to the last quote, so a text with quotes of its own reads back whole), else the trimmed line.
std::string_view unquote(std::string_view line)
{
    line = trimBlanks(line);
    if (line.empty() || line.front() != '"')
        return line;
    line.remove_prefix(1);
    const size_t close = line.rfind('"');
    return close == std::string_view::npos ? line : line.substr(0, close);
}

// "#...#" -> "...", otherwise empty.
std::optional<std::string_view> hashed(std::string_view line)
{
    line = trimBlanks(line);
    if (line.size() < 2 || line.front() != '#' || line.back() != '#')
        return std::nullopt;
    return line.substr(1, line.size() - 2);
}

} // namespace

std::optional<double> parseSettingsNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    // from_chars would also take "inf" and "nan"; settings files hold only digits.
    const char first = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
    if (!(first >= '0' && first <= '9') && first != '.')
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// --- SettingsWriter ---------------------------------------------------------------------------

void SettingsWriter::addLine(std::string_view line)
{
    content_.append(line);
    content_.append("\r\n");
}

SettingsWriter& SettingsWriter::writeText(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    for (const char c : text)
        quoted.push_back(c == '\r' || c == '\n' ? ' ' : c);
    quoted.push_back('"');
    addLine(quoted);
    return *this;
}

SettingsWriter& SettingsWriter::writeWhole(int64_t value)
{
    addLine(std::to_string(value));
    return *this;
}

SettingsWriter& SettingsWriter::writeNumber(double value)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    addLine(ec == std::errc() ? std::string_view(buf, static_cast<size_t>(end - buf))
                              : std::string_view("0"));
    return *this;
}

SettingsWriter& SettingsWriter::writeBool(bool value)
{
    addLine(value ? "#TRUE#" : "#FALSE#");
    return *this;
}

SettingsWriter& SettingsWriter::writeDate(Date date)
{
    std::string line = "#";
    line.append(formatIsoDate(date));
    line.push_back('#');
    addLine(line);
    return *this;
}

bool SettingsWriter::save(const std::filesystem::path& path) const
{
    // A file that already holds exactly these lines needs no write: saving settings that did
    // not change then succeeds also where the folder may not be written (nothing is lost).
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) &&
        std::filesystem::file_size(path, ec) == content_.size() && !ec) {
        std::ifstream in(path, std::ios::binary);
        std::string held(content_.size(), '\0');
        if (in.read(held.data(), static_cast<std::streamsize>(held.size())) && held == content_)
            return true;
    }
    return writeFileAtomically(path, content_);
}

// --- SettingsReader ---------------------------------------------------------------------------

SettingsReader::SettingsReader(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        failed_ = true;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failed_ = true;
        return;
    }
    // One byte past the limit tells a file that is too large without reading all of it.
    std::string content(kMaxSettingsFileBytes + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.bad() || static_cast<size_t>(in.gcount()) > kMaxSettingsFileBytes) {
        failed_ = true;
        return;
    }
    content.resize(static_cast<size_t>(in.gcount()));
    opened_ = true;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = content.size();
        std::string_view line(content.data() + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.emplace_back(line);
        start = end + 1;
    }
}

template <typename T> std::optional<T> SettingsReader::fail()
{
    failed_ = true;
    return std::nullopt;
}

std::optional<std::string_view> SettingsReader::nextLine()
{
    if (failed_ || next_ >= lines_.size()) {
        failed_ = true;
        return std::nullopt;
    }
    return std::string_view(lines_[next_++]);
}

std::optional<std::string> SettingsReader::readText()
{
    const auto line = nextLine();
    if (!line)
        return std::nullopt;
    return std::string(unquote(*line));
}

std::optional<double> SettingsReader::readNumber()
{
    const auto line = nextLine();
    if (!line)
        return std::nullopt;
    const auto value = parseSettingsNumber(unquote(*line));
    if (!value)
        return fail<double>();
    return value;
}

std::optional<int16_t> SettingsReader::readInt16()
{
    const auto number = readNumber();
    if (!number)
        return std::nullopt;
    const auto value = ToInt16HalfEven(*number);
    if (!value)
        return fail<int16_t>();
    return value;
}

std::optional<int32_t> SettingsReader::readInt32()
{
    const auto number = readNumber();
    if (!number)
        return std::nullopt;
    const auto value = ToInt32HalfEven(*number);
    if (!value)
        return fail<int32_t>();
    return value;
}

std::optional<bool> SettingsReader::readBool()
{
    const auto line = nextLine();
    if (!line)
        return std::nullopt;
    std::string_view word = unquote(*line);
    if (const auto inner = hashed(*line))
        word = *inner;
    if (equalsNoCase(word, "TRUE"))
        return true;
    if (equalsNoCase(word, "FALSE"))
        return false;
    if (const auto number = parseSettingsNumber(word))
        return *number != 0.0;
    return fail<bool>();
}

std::optional<Date> SettingsReader::readDate()
{
    const auto line = nextLine();
    if (!line)
        return std::nullopt;
    const auto inner = hashed(*line);
    const auto date = parseIsoDate(inner ? *inner : unquote(*line));
    if (!date)
        return fail<Date>();
    return date;
}

} // namespace tv
