#pragma once

#include <QString>

#include <optional>

namespace tv {

// Numbers shown in and read back from the captions of the flight window's labels.

// `value` written with a digit pattern (see formatPattern in core/NumberFormat.h), "." as the
// decimal mark and halves to even, as the flight window's captions have always shown them.
QString formatNumber(double value, const QString& pattern);

// The leading numeric part of a caption (readLeadingNumber in core/NumberFormat.h): "123 kt" is
// 123, "---" is 0.
double leadingNumber(const QString& caption);

// The whole caption as one number (blanks around it allowed, "." as decimal point); empty when
// any other character is in it or when it holds no number at all ("---", "").
std::optional<double> wholeNumber(const QString& caption);

} // namespace tv
