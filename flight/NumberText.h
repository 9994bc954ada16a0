#pragma once

#include <QString>

#include <optional>

namespace tv {

// Numbers shown in and read back from the captions of the flight window's labels.

// `value` written with a digit pattern such as "###", "000", "00#", "##0", "##0.0", "###.##0".
// Before the point, "0" is a digit always shown and "#" one shown only when significant, so
// every position from the leftmost "0" on is filled ("00#": 5 -> "005", 34 -> "034"; "###":
// 0 -> ""). After the point there are as many decimals as placeholders, trailing zeros dropped
// down to the rightmost "0" ("###.##0": 9.3 -> "9.300", 0.5 -> ".500"). The value is rounded to
// the shown decimals with halves to even. A minus sign is written only when a digit other than
// 0 is shown. NaN and infinities give an empty text.
QString formatNumber(double value, const QString& pattern);

// The leading numeric part of a caption, as the program has always read its labels: blanks
// anywhere are skipped, then an optional sign, digits with at most one ".", and an optional
// exponent (E or D). Whatever follows is ignored; a caption without leading digits ("---",
// "", "abc") reads as 0. The decimal point is "." whatever the locale.
double leadingNumber(const QString& caption);

// The whole caption as one number (blanks around it allowed, "." as decimal point); empty when
// any other character is in it or when it holds no number at all ("---", "").
std::optional<double> wholeNumber(const QString& caption);

} // namespace tv
