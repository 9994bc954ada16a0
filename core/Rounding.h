#pragma once

#include <cstdint>
#include <optional>

namespace tv {

// Rounding as the program has always done it: halves go to the even neighbour
// (2.5 -> 2, 3.5 -> 4, 0.125 at 2 decimals -> 0.12). Used wherever a value is shown or stored
// with a fixed number of decimals and wherever a number becomes a whole number.

// `value` rounded to `decimals` places (0 or more; a negative count counts as 0). Values too
// large to carry that many decimals, NaN and infinities come back unchanged.
double RoundHalfEven(double value, int decimals = 0);

// `magnitude` (0 or more) rounded to `decimals` places with halves away from zero, on the
// value's decimal text of 15 significant digits: 0.125 at 2 decimals (stored as
// 0.1250000000000000069...) and 2.675 (stored as 2.67499999...) round as a pilot reads them,
// and 1.0049999999999997 computed for 1.005 still rounds as the half it stands for. Values too
// large to carry that many decimals, NaN and infinities come back unchanged.
double RoundHalfAwayOnDecimalText(double magnitude, int decimals);

// Whole number conversions with halves to even. Empty when the rounded value does not fit the
// type (or is NaN): the caller treats that as a value that does not convert.
std::optional<int16_t> ToInt16HalfEven(double value);
std::optional<int32_t> ToInt32HalfEven(double value);

} // namespace tv
