#pragma once

#include <QString>

#include <ostream>

// Failed expectations show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
