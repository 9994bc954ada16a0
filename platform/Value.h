#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tv {

// One field value as the data files and rowset files hold it: Null, a 64-bit integer, a double
// or UTF-8 text. Booleans are the integers 0 and 1 and read as "<> 0"; dates are text
// ("YYYY-MM-DD HH:MM:SS"). Numbers turn into text with "." whatever the locale.
class Value
{
public:
    enum class Kind { Null, Integer, Real, Text };

    Value() = default;
    Value(std::nullptr_t) {}
    template <std::integral T> Value(T v) : data_(static_cast<std::int64_t>(v)) {}
    template <std::floating_point T> Value(T v) : data_(static_cast<double>(v)) {}
    Value(const char* text) : data_(std::string(text != nullptr ? text : "")) {}
    Value(std::string text) : data_(std::move(text)) {}
    Value(std::string_view text) : data_(std::string(text)) {}

    Kind kind() const { return static_cast<Kind>(data_.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isNumber() const { return kind() == Kind::Integer || kind() == Kind::Real; }
    bool isText() const { return kind() == Kind::Text; }

    // Null gives "" (as "" & field does); whole numbers without a decimal point; doubles with
    // up to 15 significant digits and "." ("0.3" for 0.1 + 0.2).
    std::string toString() const;
    // Null and text that is no number give 0. Text is read with "." as decimal point.
    double toDouble() const;
    // Doubles are rounded to the nearest whole number, halves to the even one (as CLng does),
    // and clamped to the 64-bit range.
    std::int64_t toInt() const;
    // Numbers: <> 0. Text: "True"/"False" in any case, else a number <> 0. Null: false.
    bool toBool() const;
    // The value as a number when it is one or is text that reads as one; nullopt otherwise.
    std::optional<double> asNumber() const;

    // The text of a Text value; an empty text for the other kinds.
    const std::string& text() const;
    std::int64_t integer() const { return kind() == Kind::Integer ? std::get<1>(data_) : 0; }
    double real() const { return kind() == Kind::Real ? std::get<2>(data_) : 0.0; }

    // Exact equality: Null equals Null, numbers compare by value (2 == 2.0), texts byte for byte.
    bool operator==(const Value& other) const;

private:
    std::variant<std::monostate, std::int64_t, double, std::string> data_;
};

// Reads a whole text as a number: "." as decimal point, optional sign and exponent, blanks
// around it allowed. nullopt for anything else, also for "inf" and "nan".
std::optional<double> parseNumber(std::string_view text);

// The shortest text that reads back as exactly `v` ("0.1", "1e+300", "-0"); for files.
std::string formatDoubleExact(double v);

// How Find, Filter and Sort compare a field value with another value: <0, 0, >0.
// Numbers compare as numbers, also when one side is text that reads as a number; texts compare
// ignoring case, umlauts included (TextFold). With `ignoreTrailingBlanks` (fixed-length text
// fields, padded with blanks) trailing blanks of both texts do not count.
// nullopt when either side is Null: a comparison with Null matches nothing.
std::optional<int> compareForSearch(const Value& field, const Value& other,
                                    bool ignoreTrailingBlanks = false);

// Total order for sorting: Null first, then numbers, then texts (ignoring case).
int compareForSort(const Value& a, const Value& b);

} // namespace tv
