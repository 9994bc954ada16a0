#include "flight/NumberText.h"

#include "core/Rounding.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace tv {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Parses a plain number in C locale; empty when the text is no number or out of range.
std::optional<double> parseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || *first == '+' || *first == '-')
        return std::nullopt;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

QString formatNumber(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        return {};
    const qsizetype point = pattern.indexOf(u'.');
    const QString intPattern = point < 0 ? pattern : pattern.left(point);
    const QString fracPattern = point < 0 ? QString() : pattern.mid(point + 1);

    const qsizetype firstZero = intPattern.indexOf(u'0');
    const int minIntDigits = firstZero < 0 ? 0 : static_cast<int>(intPattern.size() - firstZero);
    const int decimals = static_cast<int>(fracPattern.size());
    const int minDecimals = static_cast<int>(fracPattern.lastIndexOf(u'0') + 1);

    const double rounded = RoundHalfEven(std::fabs(value), decimals);
    std::vector<char> buffer(static_cast<size_t>(decimals) + 330);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, rounded);
    const std::string digits(buffer.data());
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
    if (point >= 0)
        text += "." + frac;
    const bool anyNonZero = text.find_first_of("123456789") != std::string::npos;
    if (value < 0 && anyNonZero)
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

double leadingNumber(const QString& caption)
{
    std::string text;
    bool sign = false, point = false, exponent = false, expSign = false;
    bool mantissaDigits = false, expDigits = false;
    for (const QChar c : caption) {
        if (isBlank(c))
            continue;
        if (!sign && text.empty() && (c == u'+' || c == u'-')) {
            sign = true;
            text += static_cast<char>(c.unicode());
        } else if (isDigit(c)) {
            text += static_cast<char>(c.unicode());
            (exponent ? expDigits : mantissaDigits) = true;
        } else if (c == u'.' && !point && !exponent) {
            point = true;
            text += '.';
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && mantissaDigits &&
                   !exponent) {
            exponent = true;
            text += 'e';
        } else if ((c == u'+' || c == u'-') && exponent && !expSign && !expDigits &&
                   text.back() == 'e') {
            expSign = true;
            text += static_cast<char>(c.unicode());
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0.0;
    if (exponent && !expDigits) // "12E" or "12E-": the exponent is not there
        text.erase(text.find('e'));
    return parseNumber(text).value_or(0.0);
}

std::optional<double> wholeNumber(const QString& caption)
{
    const QString trimmed = caption.trimmed();
    for (const QChar c : trimmed) {
        if (!isDigit(c) && c != u'.' && c != u'+' && c != u'-' && c != u'e' && c != u'E')
            return std::nullopt;
    }
    const QByteArray latin = trimmed.toLatin1();
    return parseNumber(std::string(latin.constData(), static_cast<size_t>(latin.size())));
}

} // namespace tv
