#pragma once

// The airspace painter as the layer had it before it printed its labels in one batch, kept
// here as the reference of the rendering comparison: the strokes in order in batches of lines,
// each label printed on its own right after its line (so later lines may cross it). Given a
// drawing over a caller's painter, every line and label goes through QPainter.

#include "airspace/AirspaceOutline.h"
#include "map/Drawing.h"
#include "map/MapView.h"

#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace astest {

inline void paintAirspaceStrokesAsBefore(tv::Drawing& picMap, const tv::MapView& view,
                                         const std::vector<tv::AirspaceStroke>& strokes)
{
    constexpr double kLabelDx = 10.0;
    constexpr double kLabelDy = -10.0;
    const uint32_t foreColour = picMap.ForeColor();
    const double right = picMap.ScaleLeft() + picMap.ScaleWidth();
    const double bottom = picMap.ScaleTop() + picMap.ScaleHeight();
    std::vector<tv::Drawing::LineSpec> batch;
    batch.reserve(strokes.size());
    for (const tv::AirspaceStroke& s : strokes) {
        const std::optional<QPointF> a = view.positionToView({s.from.latDeg, s.from.lonDeg});
        const std::optional<QPointF> b = view.positionToView({s.to.latDeg, s.to.lonDeg});
        if (!a || !b)
            continue;
        if (s.label.empty()) {
            const double margin = s.widthPx;
            if (std::max(a->x(), b->x()) < -margin || std::max(a->y(), b->y()) < -margin ||
                std::min(a->x(), b->x()) > right + margin ||
                std::min(a->y(), b->y()) > bottom + margin)
                continue;
            batch.push_back({*a, *b, s.colour, s.widthPx});
            continue;
        }
        batch.push_back({*a, *b, s.colour, s.widthPx});
        picMap.Lines(batch);
        batch.clear();
        picMap.setForeColor(tv::kAirspaceLabelColour);
        picMap.setCurrentX((a->x() + b->x()) / 2.0 + kLabelDx);
        picMap.setCurrentY((a->y() + b->y()) / 2.0 + kLabelDy);
        picMap.Print(QString::fromStdString(s.label));
    }
    picMap.Lines(batch);
    picMap.setForeColor(foreColour);
}

} // namespace astest
