#include "core/Dates.h"

#include <cstdio>
#include <ctime>

namespace tv {
namespace {

bool readDigits(std::string_view text, size_t pos, size_t count, int& out)
{
    if (pos + count > text.size())
        return false;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    out = value;
    return true;
}

// A time of day "hh:mm:ss" or "hh:mm" in the usual ranges.
bool isTimeOfDay(std::string_view text)
{
    int h = 0, m = 0, s = 0;
    if (text.size() != 5 && text.size() != 8)
        return false;
    if (!readDigits(text, 0, 2, h) || text[2] != ':' || !readDigits(text, 3, 2, m))
        return false;
    if (text.size() == 8 && (text[5] != ':' || !readDigits(text, 6, 2, s)))
        return false;
    return h < 24 && m < 60 && s < 60;
}

} // namespace

Date today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{std::chrono::year{local.tm_year + 1900},
                std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string formatIsoDate(Date date)
{
    const int y = static_cast<int>(date.year());
    if (!date.ok() || y < 0 || y > 9999)
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", y, static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    return buf;
}

std::optional<Date> parseIsoDate(std::string_view text)
{
    if (text.size() > 10) {
        if (text[10] != ' ' || !isTimeOfDay(text.substr(11)))
            return std::nullopt;
        text = text.substr(0, 10);
    }
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || !readDigits(text, 0, 4, y) || text[4] != '-' ||
        !readDigits(text, 5, 2, m) || text[7] != '-' || !readDigits(text, 8, 2, d))
        return std::nullopt;
    const Date date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                    std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok())
        return std::nullopt;
    return date;
}

} // namespace tv
