#pragma once

#include <QString>

#include <optional>

namespace tv {

// Numbers the flight window shows in its captions, and the numbers read from the texts the pilot
// types or a settings file brings (a box's typed text, never a caption the program wrote: what
// a caption shows is held by the logic that wrote it).

// `value` written with a digit pattern (see formatPattern in core/NumberFormat.h), "." as the
// decimal mark and halves to even, as the flight window's captions have always shown them.
QString formatNumber(double value, const QString& pattern);

// The leading numeric part of a text (readLeadingNumber in core/NumberFormat.h): "123 kt" is
// 123, "---" is 0.
double leadingNumber(const QString& text);

// The whole text as one number (blanks around it allowed, "." as decimal point); empty when
// any other character is in it or when it holds no number at all ("---", "").
std::optional<double> wholeNumber(const QString& text);

} // namespace tv
