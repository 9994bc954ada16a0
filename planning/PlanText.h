#pragma once

// Numbers as the plan window shows them: the user's decimal mark, halves away from zero.
// Positions are DD.MM (integer part degrees, fraction minutes / 100; south and west negative).

#include "core/NumberFormat.h"

#include <QString>

#include <optional>

namespace tv {

// `value` rounded to four decimals and written without trailing zeros, as a number typed back
// into a box would read: 48.3 for 48.3000, 0.5 for .5000, 12 for 12.0000. The sign is kept.
QString coordinateText(double value, NumberStyle style = userNumberStyle());

// A number typed into a box or a grid cell (see readStrictNumber); blanks around are fine.
std::optional<double> typedNumber(const QString& text);

// The measured figures: "40.1 NM" (pattern "##0.0") and "90 °" (pattern "##0").
QString distanceText(double distanceNm, NumberStyle style = userNumberStyle());
QString courseText(double courseDeg, NumberStyle style = userNumberStyle());
// A route's length in whole miles (pattern "#####"): "60 NM"; a length below half a mile
// shows " NM" alone.
QString routeLengthText(double lengthNm, NumberStyle style = userNumberStyle());

} // namespace tv
