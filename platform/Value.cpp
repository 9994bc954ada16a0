#include "platform/Value.h"

#include "platform/TextFold.h"
#include "platform/TextTrim.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tv {
namespace {

std::string_view trimTrailingBlanks(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

int compareNumbers(const Value& a, double ad, const Value& b, double bd)
{
    // Two integers compare exactly; doubles lose precision beyond 2^53.
    if (a.kind() == Value::Kind::Integer && b.kind() == Value::Kind::Integer)
        return a.integer() < b.integer() ? -1 : (a.integer() > b.integer() ? 1 : 0);
    return ad < bd ? -1 : (ad > bd ? 1 : 0);
}

} // namespace

std::optional<double> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string formatDoubleExact(double v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string Value::toString() const
{
    switch (kind()) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return std::to_string(integer());
    case Kind::Real: {
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, real(), std::chars_format::general, 15);
        return std::string(buf, res.ptr);
    }
    case Kind::Text:
        return text();
    }
    return {};
}

std::optional<double> Value::asNumber() const
{
    switch (kind()) {
    case Kind::Integer:
        return static_cast<double>(integer());
    case Kind::Real:
        return real();
    case Kind::Text:
        return parseNumber(text());
    case Kind::Null:
        break;
    }
    return std::nullopt;
}

double Value::toDouble() const
{
    return asNumber().value_or(0.0);
}

std::int64_t Value::toInt() const
{
    if (kind() == Kind::Integer)
        return integer();
    if (kind() == Kind::Text) {
        // Whole numbers in text keep all 64 bits.
        const std::string_view t = trimBlanks(text());
        std::int64_t i = 0;
        const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), i);
        if (ec == std::errc() && ptr == t.data() + t.size() && !t.empty())
            return i;
    }
    const double d = toDouble();
    if (std::isnan(d))
        return 0;
    // The default rounding mode rounds halves to even.
    const double r = std::nearbyint(d);
    if (r >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (r <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);
}

bool Value::toBool() const
{
    if (kind() == Kind::Text) {
        if (equalsNoCase(trimBlanks(text()), "true"))
            return true;
        if (equalsNoCase(trimBlanks(text()), "false"))
            return false;
    }
    if (kind() == Kind::Integer)
        return integer() != 0;
    return toDouble() != 0.0;
}

const std::string& Value::text() const
{
    static const std::string empty;
    return kind() == Kind::Text ? std::get<3>(data_) : empty;
}

bool Value::operator==(const Value& other) const
{
    if (isNumber() && other.isNumber()) {
        if (kind() == Kind::Integer && other.kind() == Kind::Integer)
            return integer() == other.integer();
        return toDouble() == other.toDouble();
    }
    if (kind() != other.kind())
        return false;
    return kind() == Kind::Null || text() == other.text();
}

std::optional<int> compareForSearch(const Value& field, const Value& other,
                                    bool ignoreTrailingBlanks)
{
    if (field.isNull() || other.isNull())
        return std::nullopt;
    // A number against a number, or against text that reads as one (Surface = '0' on a number
    // field, Nummer = 3 on a text field holding "3"), compares as numbers.
    if (field.isNumber() || other.isNumber()) {
        const auto a = field.asNumber();
        const auto b = other.asNumber();
        if (a && b)
            return compareNumbers(field, *a, other, *b);
    }
    std::string_view a = field.isText() ? std::string_view(field.text()) : std::string_view();
    std::string_view b = other.isText() ? std::string_view(other.text()) : std::string_view();
    std::string aText;
    std::string bText;
    if (!field.isText()) {
        aText = field.toString();
        a = aText;
    }
    if (!other.isText()) {
        bText = other.toString();
        b = bText;
    }
    if (ignoreTrailingBlanks) {
        a = trimTrailingBlanks(a);
        b = trimTrailingBlanks(b);
    }
    return compareNoCase(a, b);
}

int compareForSort(const Value& a, const Value& b)
{
    const auto rank = [](const Value& v) { return v.isNull() ? 0 : (v.isNumber() ? 1 : 2); };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (a.isNull())
        return 0;
    if (a.isNumber())
        return compareNumbers(a, a.toDouble(), b, b.toDouble());
    return compareNoCase(a.text(), b.text());
}

} // namespace tv
