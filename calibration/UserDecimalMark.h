#pragma once

// The decimal mark of the user's number format, with which the calibration windows show and
// read coordinates: ',' where the locale writes one, else '.'.

#include <QLocale>
#include <QString>

namespace tv {

inline char userDecimalMark()
{
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

} // namespace tv
