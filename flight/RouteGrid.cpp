#include "flight/RouteGrid.h"

namespace tv {

int gridRowOf(const Recordset* points)
{
    if (!points || points->State() != Recordset::kStateOpen || points->Bof() || points->Eof())
        return -1;
    const long pos = points->AbsolutePosition();
    return pos >= 1 ? static_cast<int>(pos - 1) : -1;
}

} // namespace tv
