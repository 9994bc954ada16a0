#pragma once

// The program's one number-pattern formatter, its strict and its lenient reader of typed
// numbers, and the user's decimal mark with which the windows show numbers.

#include <optional>
#include <string>
#include <string_view>

namespace tv {

// How a half is rounded when a value is cut to the pattern's decimals.
enum class HalfRounding {
    // 2.5 -> 2, 3.5 -> 4, on the double as it is: captions of the flight window, stored figures
    ToEven,
    // 2.5 -> 3, -2.5 -> -3, on the value's decimal text of 15 significant digits (48.12345 ->
    // 48.1235 at 4 decimals, although the double lies just below the half): what a digit
    // pattern does, and so what the plan, flight-plan and export texts show
    AwayFromZero,
};

struct NumberStyle
{
    char decimalMark = '.'; // "." in files and SQL; the user's mark on screen
    HalfRounding halves = HalfRounding::ToEven;
};

// `value` written with a digit pattern such as "###", "000", "00#", "##0", "##0.0", "###.##0",
// "####.###0", "###.####". Before the point, "0" is a digit always shown and "#" one shown only
// when significant, so every position from the leftmost "0" on is filled ("00#": 5 -> "005";
// "###": 0 -> ""). After the point there are as many decimals as placeholders, trailing zeros
// dropped down to the rightmost "0" ("###.##0": 9.3 -> "9.300", 0.5 -> ".500"; "###.####":
// 8 -> "8.", 0 -> "."). The value is rounded to the shown decimals as `style` says. A minus
// sign is written only when a digit other than 0 is shown. NaN and infinities give "".
std::string formatPattern(double value, std::string_view pattern, NumberStyle style = {});

// The decimal mark of the user's number format (the default locale): ',' where it writes a
// comma, '.' for every other mark, so that what a window shows reads back as a typed number.
char userDecimalMark();
// Numbers as the windows show them: the user's decimal mark, halves away from zero.
NumberStyle userNumberStyle();

// `value` as a stored number reads: up to 15 significant digits, no trailing zeros, no "-0",
// `decimalMark` as the mark (47.4 -> "47,4" with ','; 8 -> "8"; 1e20 -> "1e+20").
std::string numberText(double value, char decimalMark);

// A number typed into a box or a grid cell, read the same in every locale: blanks around it,
// an optional sign, digits with at most one decimal mark ("." or ","), at least one digit.
// Anything else (grouping "1.000,5", an exponent "1e3", a second mark, a blank inside) is no
// number: empty.
std::optional<double> readStrictNumber(std::string_view text);

// The leading number of a text, as the program has always read captions and boxes that take
// "whatever number the text begins with": blanks anywhere are skipped, then an optional sign,
// digits with at most one ".", and an optional exponent (E or D). Whatever follows is ignored
// ("12x" is 12, "5 / 20" is 5); a text without leading digits ("---", "", "abc") and a number
// beyond the double's range read as 0. The decimal point is "." whatever the locale.
double readLeadingNumber(std::string_view text);
// The same rule, but empty for a text without leading digits, so that "0" and "abc" differ.
std::optional<double> leadingNumber(std::string_view text);

} // namespace tv
