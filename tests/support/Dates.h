#pragma once

// A calendar day written as the tests read it: day(2020, 1, 1). The program's dates
// (tv::Date, the fix's utcDay) are this type.

#include <chrono>

namespace tvtest {

inline std::chrono::year_month_day day(int y, unsigned m, unsigned d)
{
    return {std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

} // namespace tvtest
