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
                               : RoundHalfAwayOnDecimalText(magnitude, decimals);
    // Fixed notation with "." whatever the C locale says (Qt sets it from the user's
    // settings at start, and a German one would give ",").
    // The largest double has 309 digits before the point. Long exports format hundreds of
    // thousands of numbers, so the usual patterns need no heap buffer beside the text itself.
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
    const std::string_view digits(first, static_cast<size_t>(written.ptr - first));
    const size_t dot = digits.find('.');
    std::string_view whole = digits.substr(0, dot);
    std::string_view frac =
        dot == std::string_view::npos ? std::string_view() : digits.substr(dot + 1);

    if (whole == "0")
        whole = {};
    const size_t padding = whole.size() < static_cast<size_t>(minIntDigits)
                               ? static_cast<size_t>(minIntDigits) - whole.size()
                               : 0;
    while (frac.size() > static_cast<size_t>(minDecimals) && frac.back() == '0')
        frac.remove_suffix(1);
    const auto nonZero = [](std::string_view part) {
        return part.find_first_of("123456789") != std::string_view::npos;
    };

    std::string text;
    text.reserve(1 + padding + whole.size() + 1 + frac.size());
    if (value < 0 && (nonZero(whole) || nonZero(frac)))
        text += '-';
    text.append(padding, '0');
    text += whole;
    if (point != std::string_view::npos) {
        text += style.decimalMark;
        text += frac;
    }
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
    return leadingNumber(text).value_or(0.0);
}

std::optional<double> leadingNumber(std::string_view text)
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
        return std::nullopt;
    if (exponent && !expDigits) // "12E" or "12E-": the exponent is not there
        number.erase(number.find('e'));
    return parseSettingsNumber(number).value_or(0.0); // beyond the double's range: 0
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
