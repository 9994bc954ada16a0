#include "core/NumberFormat.h"

#include "core/Rounding.h"
#include "core/SettingsFile.h"
#include "platform/Value.h"

#include <QLocale>
#include <QString>

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace tv {
namespace {

// Halves away from zero on the decimal text of the value, so that 0.125 at 2 decimals (stored
// as 0.1250000000000000069...) and 2.675 (stored as 2.67499999...) round as a pilot reads them.
// The text is the value's first 15 significant digits, what a double holds reliably: a value
// computed a unit in the last place beside a half (1.0049999999999997 for 1.005) still rounds
// as the half it stands for, where its shortest exact text would not.
double roundHalfAway(double magnitude, int decimals)
{
    if (decimals > 15)
        return magnitude;
    const double scale = std::pow(10.0, decimals);
    const double scaled = magnitude * scale;
    if (scaled >= 4503599627370496.0) // from 2^52 on every double is whole
        return magnitude;
    // From 10^15 on, 15 significant digits would cut whole digits off the shown value
    // (1234567890123456 is no 1234567890123460); there the double itself is rounded.
    if (scaled >= 1e15)
        return std::round(scaled) / scale;
    // to_chars and from_chars, unlike printf, ignore the C locale's decimal mark.
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text, scaled, std::chars_format::general, 15);
    double reread = 0.0;
    std::from_chars(text, written.ptr, reread);
    return std::floor(reread + 0.5) / scale;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string formatPattern(double value, std::string_view pattern, NumberStyle style)
{
    if (!std::isfinite(value))
        return {};
    const size_t point = pattern.find('.');
    const std::string_view intPattern =
        point == std::string_view::npos ? pattern : pattern.substr(0, point);
    const std::string_view fracPattern =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);

    const size_t firstZero = intPattern.find('0');
    const int minIntDigits =
        firstZero == std::string_view::npos ? 0 : static_cast<int>(intPattern.size() - firstZero);
    const int decimals = static_cast<int>(fracPattern.size());
    const size_t lastZero = fracPattern.rfind('0');
    const int minDecimals = lastZero == std::string_view::npos ? 0 : static_cast<int>(lastZero + 1);

    const double magnitude = std::fabs(value);
    const double rounded = style.halves == HalfRounding::ToEven
                               ? RoundHalfEven(magnitude, decimals)
                               : roundHalfAway(magnitude, decimals);
    // Fixed notation with "." whatever the C locale says (Qt sets it from the user's
    // settings at start, and a German one would give ",").
    // The largest double has 309 digits before the point. Long exports format hundreds of
    // thousands of numbers, so the usual patterns need no heap buffer.
    std::array<char, 400> local;
    std::vector<char> large;
    char* first = local.data();
    char* last = local.data() + local.size();
    if (decimals > 64) {
        large.resize(static_cast<size_t>(decimals) + 330);
        first = large.data();
        last = large.data() + large.size();
    }
    const auto written = std::to_chars(first, last, rounded, std::chars_format::fixed, decimals);
    const std::string digits(first, written.ptr);
    const size_t dot = digits.find('.');
    std::string whole = dot == std::string::npos ? digits : digits.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : digits.substr(dot + 1);

    if (whole == "0")
        whole.clear();
    while (static_cast<int>(whole.size()) < minIntDigits)
        whole.insert(whole.begin(), '0');
    while (static_cast<int>(frac.size()) > minDecimals && frac.back() == '0')
        frac.pop_back();

    std::string text = whole;
    if (point != std::string_view::npos) {
        text += style.decimalMark;
        text += frac;
    }
    const bool anyNonZero = text.find_first_of("123456789") != std::string::npos;
    if (value < 0 && anyNonZero)
        text.insert(text.begin(), '-');
    return text;
}

std::optional<double> readStrictNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    std::string number;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    bool digits = false, mark = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if ((c == '.' || c == ',') && !mark) {
            number += '.';
            mark = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    double value = 0.0;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double readLeadingNumber(std::string_view text)
{
    std::string number;
    bool sign = false, point = false, exponent = false, expSign = false;
    bool mantissaDigits = false, expDigits = false;
    for (const char c : text) {
        if (isBlank(c))
            continue;
        if (!sign && number.empty() && (c == '+' || c == '-')) {
            sign = true;
            number += c;
        } else if (c >= '0' && c <= '9') {
            number += c;
            (exponent ? expDigits : mantissaDigits) = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
            number += '.';
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && mantissaDigits && !exponent) {
            exponent = true;
            number += 'e';
        } else if ((c == '+' || c == '-') && exponent && !expSign && !expDigits &&
                   number.back() == 'e') {
            expSign = true;
            number += c;
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0.0;
    if (exponent && !expDigits) // "12E" or "12E-": the exponent is not there
        number.erase(number.find('e'));
    return parseSettingsNumber(number).value_or(0.0);
}

char userDecimalMark()
{
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

NumberStyle userNumberStyle()
{
    return {userDecimalMark(), HalfRounding::AwayFromZero};
}

std::string numberText(double value, char decimalMark)
{
    std::string text = Value(value == 0.0 ? 0.0 : value).toString();
    for (char& c : text) {
        if (c == '.')
            c = decimalMark;
    }
    return text;
}

} // namespace tv
