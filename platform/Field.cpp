#include "platform/Field.h"

#include "platform/DbError.h"
#include "platform/TextFold.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace tv {
namespace {

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

int lengthInParentheses(std::string_view decl)
{
    const auto open = decl.find('(');
    if (open == std::string_view::npos)
        return 0;
    int n = 0;
    for (size_t i = open + 1; i < decl.size() && decl[i] >= '0' && decl[i] <= '9'; ++i) {
        n = n * 10 + (decl[i] - '0');
        if (n > 1000000000)
            return 0;
    }
    return n;
}

[[noreturn]] void doesNotFit(const FieldInfo& field, const std::string& why)
{
    throw DbError("value does not fit field " + field.name + ": " + why);
}

double numberFor(const FieldInfo& field, const Value& v)
{
    const auto n = v.asNumber();
    if (!n)
        doesNotFit(field, "not a number: \"" + v.toString() + "\"");
    return *n;
}

Value integerFor(const FieldInfo& field, const Value& v, std::int64_t lo, std::int64_t hi)
{
    std::int64_t i = 0;
    if (v.kind() == Value::Kind::Integer) {
        i = v.integer();
    } else {
        const double d = std::nearbyint(numberFor(field, v)); // halves to even, as CLng
        if (d < static_cast<double>(lo) || d > static_cast<double>(hi))
            doesNotFit(field, "overflow");
        i = static_cast<std::int64_t>(d);
    }
    if (i < lo || i > hi)
        doesNotFit(field, "overflow");
    return Value(i);
}

Value textFor(const FieldInfo& field, const Value& v)
{
    std::string text = v.toString();
    if (field.size > 0) {
        const std::size_t n = characterCount(text);
        if (n > static_cast<std::size_t>(field.size))
            doesNotFit(field, "text longer than " + std::to_string(field.size) + " characters");
        if (field.type == FieldType::Char)
            text.append(static_cast<std::size_t>(field.size) - n, ' ');
    }
    return Value(std::move(text));
}

} // namespace

std::size_t characterCount(std::string_view utf8)
{
    std::size_t n = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

bool fieldTypeFromDeclared(std::string_view declared, FieldType& type, int& size)
{
    const std::string d = upperAscii(declared);
    size = 0;
    if (d.find_first_not_of(' ') == std::string::npos)
        return false;
    const auto has = [&d](const char* word) { return d.find(word) != std::string::npos; };
    if (has("CHAR") || has("CLOB") || has("TEXT") || has("STRING")) {
        size = lengthInParentheses(d);
        type = size > 0 ? FieldType::VarChar : FieldType::Text;
    } else if (has("BOOL") || has("BIT")) {
        type = FieldType::Boolean;
    } else if (has("DATE") || has("TIME")) {
        type = FieldType::DateTime;
    } else if (has("SMALLINT") || has("TINYINT")) {
        type = FieldType::SmallInt;
    } else if (has("INT")) {
        type = FieldType::Long;
    } else if (has("DOUBLE") || has("FLOAT")) {
        type = FieldType::Double;
    } else if (has("REAL") || has("SINGLE")) {
        type = FieldType::Single;
    } else {
        type = FieldType::Double; // NUMERIC, DECIMAL, CURRENCY
    }
    return true;
}

Value valueForField(const FieldInfo& field, const Value& v)
{
    if (v.isNull())
        return v;
    switch (field.type) {
    case FieldType::Text:
    case FieldType::VarChar:
    case FieldType::Char:
        return textFor(field, v);
    case FieldType::SmallInt:
        return integerFor(field, v, INT16_MIN, INT16_MAX);
    case FieldType::Long:
        // An autonumber read from the database can exceed 32 bits; so can a value given here.
        return integerFor(field, v, field.autoIncrement ? INT64_MIN : INT32_MIN,
                          field.autoIncrement ? INT64_MAX : INT32_MAX);
    case FieldType::Single: {
        const double d = numberFor(field, v);
        if (std::fabs(d) > FLT_MAX)
            doesNotFit(field, "overflow");
        return Value(static_cast<double>(static_cast<float>(d)));
    }
    case FieldType::Double:
        return Value(numberFor(field, v));
    case FieldType::Boolean:
        if (v.isText() && !v.asNumber() && !equalsNoCase(v.text(), "true") &&
            !equalsNoCase(v.text(), "false"))
            doesNotFit(field, "not a boolean: \"" + v.text() + "\"");
        return Value(v.toBool() ? 1 : 0);
    case FieldType::DateTime:
        if (!v.isText())
            doesNotFit(field, "a date is text");
        return v;
    }
    return v;
}

} // namespace tv
