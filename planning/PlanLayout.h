#pragma once

// Where the plan window's controls stand: the designed places (client size 945 x 527 pixels)
// and the arithmetic that follows a new window size. The map grows with the window; the
// right-hand column moves with the map's right edge; the row under the map moves down with it.

#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace tv {

struct ControlPlace
{
    QString name; // the control's name, also its objectName
    QRect rect;   // left, top, width, height in pixels
};

// The designed places of every control the layout knows.
const std::vector<ControlPlace>& planDesignedPlaces();
QRect planDesignedPlace(const QString& name);

// The places after the window's inner size became `width` x `height`; empty when the map would
// be smaller than 508 x 421 (a window below 951 x 521): then nothing moves. Every control of
// planDesignedPlaces() is in the result.
std::optional<std::vector<ControlPlace>> planLayout(double width, double height);

} // namespace tv
