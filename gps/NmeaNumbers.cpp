#include "gps/NmeaNumbers.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace tv {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The parts of a plain decimal number: sign, digits before and after the point.
struct DecimalParts
{
    bool negative = false;
    std::string_view number;   // digits with the point, without sign and blanks
    std::string_view whole;    // digits before the point (may be empty)
    std::string_view fraction; // digits after the point (may be empty)
};

std::optional<DecimalParts> splitDecimal(std::string_view field)
{
    std::size_t begin = 0;
    std::size_t end = field.size();
    while (begin < end && isBlank(field[begin]))
        ++begin;
    while (end > begin && isBlank(field[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;

    DecimalParts parts;
    if (field[begin] == '+' || field[begin] == '-') {
        parts.negative = field[begin] == '-';
        ++begin;
    }
    parts.number = field.substr(begin, end - begin);

    std::size_t i = begin;
    while (i < end && isDigit(field[i]))
        ++i;
    parts.whole = field.substr(begin, i - begin);
    if (i < end && field[i] == '.') {
        const std::size_t fractionBegin = ++i;
        while (i < end && isDigit(field[i]))
            ++i;
        parts.fraction = field.substr(fractionBegin, i - fractionBegin);
    }
    if (i != end || (parts.whole.empty() && parts.fraction.empty()))
        return std::nullopt;
    return parts;
}

} // namespace

std::optional<double> nmeaDouble(std::string_view field)
{
    const auto parts = splitDecimal(field);
    if (!parts)
        return std::nullopt;
    double value = 0.0;
    const char* first = parts->number.data();
    const char* last = first + parts->number.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return parts->negative ? -value : value;
}

int nmeaIntegerOrNone(std::string_view field)
{
    // Fast path for what receivers send: one to five digits, nothing else.
    if (!field.empty() && field.size() <= 5) {
        int value = 0;
        std::size_t i = 0;
        while (i < field.size() && isDigit(field[i]))
            value = value * 10 + (field[i++] - '0');
        if (i == field.size())
            return value <= INT16_MAX ? value : kNoInteger;
    }

    const auto parts = splitDecimal(field);
    if (!parts)
        return kNoInteger;

    // The magnitude stops growing past the range; leading zeros cost nothing.
    constexpr long kBeyondRange = 100000;
    long magnitude = 0;
    for (char c : parts->whole) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kBeyondRange)
            return kNoInteger;
    }

    // Round half to even on the decimal digits themselves (no binary fraction in between).
    if (!parts->fraction.empty()) {
        const char first = parts->fraction.front();
        bool roundUp = first > '5';
        if (first == '5') {
            bool moreThanHalf = false;
            for (char c : parts->fraction.substr(1))
                moreThanHalf = moreThanHalf || c != '0';
            roundUp = moreThanHalf || (magnitude % 2 == 1);
        }
        if (roundUp)
            ++magnitude;
    }

    const long value = parts->negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX)
        return kNoInteger;
    return static_cast<int>(value);
}

} // namespace tv
