#pragma once

// Counting pixels of a drawn picture: how much of a colour a symbol, a line or a label left in
// an area. Colours are &H00BBGGRR& as DrawSurface::Point reports them (support/BgrColours.h).

#include "map/DrawSurface.h"
#include "support/BgrColours.h"

#include <QRect>

#include <cstdint>

namespace tvtest {

// Pixels of `colour` in the rectangle, its edges included.
inline int countColour(const tv::DrawSurface& pic, const QRect& area, uint32_t colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pic.Point(x, y) == static_cast<int64_t>(colour))
                ++n;
    return n;
}

// Pixels in the rectangle that are neither `background` nor off the picture.
inline int countInk(const tv::DrawSurface& pic, const QRect& area,
                    uint32_t background = bgr::kWhite)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int64_t c = pic.Point(x, y);
            if (c >= 0 && c != static_cast<int64_t>(background))
                ++n;
        }
    return n;
}

// Pixels of `colour` in the column x from y - reach to y + reach: the thickness of a line
// crossing the column there.
inline int thicknessAt(const tv::DrawSurface& pic, int x, int y, uint32_t colour, int reach = 12)
{
    return countColour(pic, QRect(x, y - reach, 1, 2 * reach + 1), colour);
}

} // namespace tvtest
