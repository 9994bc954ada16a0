#pragma once

#include "core/forms/RecordsetGridModel.h"

namespace tv {

// The route's points as the flight window's waypoint grid shows them: " Nr." (Nummer) and the
// point's name, read only. Rows whose bookmark is among the selected bookmarks are highlighted:
// that is how the grid marks the target point.
class RouteGridModel : public RecordsetGridModel
{
public:
    explicit RouteGridModel(QObject* parent = nullptr)
        : RecordsetGridModel({{QStringLiteral("Nummer"), QStringLiteral(" Nr."), true},
                              {QStringLiteral("Name"), QStringLiteral("     Streckenpunkt"), true}},
                             parent)
    {
    }

    // Copies every row of `points` (none for a null or closed set); the set's current row
    // stays. The selected bookmarks are dropped: they belonged to the rows shown before.
    void load(Recordset* points) { bind(points); }

    // True while the window moves the grid's current row itself: that is not the pilot's
    // choice of a target.
    bool movingCurrentRow = false;
};

// The grid's current row for a point set: 0-based, -1 when no row is current (empty or closed
// set, or beyond either end).
int gridRowOf(const Recordset* points);

} // namespace tv
