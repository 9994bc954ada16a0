#pragma once

// Where the flight window's controls stand and what they show before the window shows any
// state: the designed place of every control (in its parent, pixels), its first caption and
// font, and the arithmetic that follows a new window size. The map fills the window right of a
// panel 280 pixels wide and above a strip 53 pixels high; the strip's controls follow the map's
// bottom edge and width, and so do the controls inside the map along its bottom and right.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace tv {

// The panel left of the map is this wide: the map is as wide as the window less the panel.
inline constexpr int kFlightPanelWidth = 280;

struct FlightControl
{
    QString name;    // the control's name, also its objectName
    QRect place;     // designed place in its parent, pixels
    QString caption; // what it shows before any state ("" nothing)
    int fontPx = 0;  // font size in pixels of a text display; 0: the window's font
    bool bold = true;
    bool hidden = false; // hidden until the window's state shows it
    Qt::Alignment align; // of its text; none: the control's own
    QString style;       // its style sheet ("" none)
    // A picture that is clicked (a switch face or a status picture): its plate's colour and
    // the colour of its caption on it; invalid for every other control.
    QColor fill;
    QColor ink;
};

// Every control of the flight window, in the order the window makes them (later ones lie on
// top of earlier ones at the same place). The strip's controls lie out of sight (y 10000) until
// the first layout, so that the first activation lays the window out.
const std::vector<FlightControl>& flightControls();
// The control of that name; throws std::out_of_range for a name the window has not.
const FlightControl& flightControl(const QString& name);

// The picture of a control that has a plate: a rounded plate of its fill colour with its caption
// on it, as large as its place, transparent around the corners.
QImage flightPicture(const FlightControl& control);

// The places after the window's inner size became `width` x `height`: the map first, then every
// control that moves with it. Empty when the map would be smaller than 661 x 463 (a window below
// 941 x 516): then nothing moves.
std::optional<std::vector<std::pair<QString, QRect>>> flightLayout(int width, int height);

// Where on the zoom slider the mouse is, in twips, as the slider's mouse handler takes it: the
// slider is 3615 twips long however wide it is drawn (`widthPx`, 0: as designed).
QPointF flightSliderTwips(QPointF posPx, int widthPx);

// The tool tips in the window's language, by control name. Some exist in German only; English
// leaves those controls' tips as they were.
std::vector<std::pair<QString, QString>> flightToolTips(bool german);

} // namespace tv
