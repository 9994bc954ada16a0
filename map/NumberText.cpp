#include "map/NumberText.h"

#include "core/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tv {
namespace {

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
    const QByteArray latin = pattern.toLatin1();
    const std::string text = formatPattern(
        value, std::string_view(latin.constData(), static_cast<size_t>(latin.size())));
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

double leadingNumber(const QString& text)
{
    return readLeadingNumber(text.toStdString());
}

std::optional<double> wholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const QChar c : trimmed) {
        if (!isDigit(c) && c != u'.' && c != u'+' && c != u'-' && c != u'e' && c != u'E')
            return std::nullopt;
    }
    const QByteArray latin = trimmed.toLatin1();
    return parseNumber(std::string(latin.constData(), static_cast<size_t>(latin.size())));
}

} // namespace tv
