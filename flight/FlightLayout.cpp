#include "flight/FlightLayout.h"

#include <QPainter>

#include <cmath>
#include <stdexcept>

namespace tv {
namespace {

constexpr int kStripHeight = 53;
constexpr int kMapLeft = 275;
constexpr int kMinMapWidth = 661;
constexpr int kMinMapHeight = 463;
// Out of sight until the first layout.
constexpr int kStrip = 10000;
// A switch (735 twips square) and the GPS button.
constexpr int kSwitch = 49;
constexpr int kGpsWidth = 80;
constexpr int kGpsHeight = 41;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A control shown from the start with its caption in the window's font.
FlightControl shown(const char* name, QRect place, const char* caption = "")
{
    FlightControl control;
    control.name = text(name);
    control.place = place;
    control.caption = text(caption);
    return control;
}

FlightControl hidden(const char* name, QRect place, const char* caption = "")
{
    FlightControl control = shown(name, place, caption);
    control.hidden = true;
    return control;
}

// A text display: its caption in this font.
FlightControl display(const char* name, QRect place, const char* caption, int fontPx,
                      bool bold = true, bool isHidden = false)
{
    FlightControl control = shown(name, place, caption);
    control.fontPx = fontPx;
    control.bold = bold;
    control.hidden = isHidden;
    return control;
}

FlightControl aligned(FlightControl control, Qt::Alignment align)
{
    control.align = align;
    return control;
}

FlightControl styled(FlightControl control, const char* style)
{
    control.style = text(style);
    return control;
}

const QColor kOnColour(120, 200, 120);
const QColor kOrange(255, 160, 0);

// A picture that is clicked, hidden until its state shows it.
FlightControl picture(const char* name, QRect place, const char* caption = "",
                      const QColor& fill = kOnColour, const QColor& ink = Qt::black)
{
    FlightControl control = hidden(name, place, caption);
    control.fill = fill;
    control.ink = ink;
    return control;
}

// One of the stacked pictures that lie under a switch's buttons, shown from the start.
FlightControl underneath(const char* name, QRect place, const char* caption)
{
    FlightControl control = picture(name, place, caption);
    control.hidden = false;
    return control;
}

QRect switchRow(int top)
{
    return {0, top, kSwitch, kSwitch};
}

} // namespace

const std::vector<FlightControl>& flightControls()
{
    static const QRect scroll(kMapLeft + 444, kStrip, kSwitch, kGpsHeight);
    static const QRect centre(kMapLeft + 515, kStrip, kSwitch, kGpsHeight);
    static const QRect gps(kMinMapWidth + 192, kStrip, kGpsWidth, kGpsHeight);
    static const QRect record(kMinMapWidth - 43, 5, 38, 38);
    static const QRect strip(kMapLeft, kStrip, 170, 24);
    const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
    static const std::vector<FlightControl> controls = {
        // the map and the strip below it
        shown("picMap", {kMapLeft, 0, kMinMapWidth, kMinMapHeight}),
        shown("cmbMaps", strip),
        styled(aligned(hidden("tNextMap", strip), Qt::AlignCenter),
               "background-color: #C00000; color: white;"),
        display("LblMapNumber", {kMapLeft - 33, kStrip, 32, 20}, "1 / 2", 11, true, true),
        shown("SlideMap", {kMapLeft + 175, kStrip, 241, 30}),
        shown("cmdMapScroll", scroll, "⇄"),
        picture("PicMapScroll", scroll, "⇄"),
        shown("cmdKartezentrieren", centre, "⊕"),
        picture("picKartezentrieren", centre, "⊕"),
        shown("cmdGPS", gps, "GPS"),
        picture("picGPSCheck0", gps, "GPS", kOrange),
        picture("picGPSCheck1", gps, "GPS", QColor(40, 200, 40)),
        picture("picGPSCheck2", gps, "NO SIGNAL", kOrange, Qt::red),
        // the layer switches on the map; second and third steps lie under the first
        hidden("frmSet", {0, 48, kSwitch, 393}),
        underneath("picLR3", switchRow(0), "LR\nHöhe"),
        shown("cmdLR2", switchRow(0), "LR\nHöhe"),
        shown("cmdLR1", switchRow(0), "LR"),
        underneath("picAPT3", switchRow(85), "APT\n2"),
        shown("cmdAPT2", switchRow(85), "APT\n2"),
        shown("cmdAPT1", switchRow(85), "APT"),
        shown("cmdPR", switchRow(172), "PR"),
        picture("picPR", switchRow(172), "PR"),
        shown("cmdshowRoute", switchRow(259), "RTE"),
        picture("picShowRoute", switchRow(259)),
        aligned(display("lblRoute", {2, 14, kSwitch - 4, 20}, "", 12), Qt::AlignCenter),
        shown("cmdWayInfo", switchRow(344), "WPT"),
        picture("picWayInfo", switchRow(344), "WPT"),
        // on the map: figures, recording, position, status, QNH
        hidden("Frame1", {60, 5, 330, 28}),
        display("lblTrueBearing", {5, 3, 60, 22}, "", 14),
        display("lblDistanz", {70, 3, 85, 22}, "", 14),
        display("lblTime", {160, 3, 60, 22}, "", 14),
        display("lblRemDist", {225, 3, 100, 22}, "", 14),
        shown("cmdRecord", record, "REC"),
        hidden("cmdRecordAuto", record, "AUTO"),
        picture("picRecord", record, "", QColor(230, 40, 40), Qt::white),
        styled(aligned(display("lblRecord", {0, 7, 38, 24}, "0", 14), Qt::AlignCenter),
               "color: white;"),
        shown("Frame3", {55, kMinMapHeight - 28, 270, 24}),
        display("lblLat", {5, 2, 125, 20}, "---", 12),
        display("lblLong", {135, 2, 130, 20}, "---", 12),
        hidden("progBar", {335, kMinMapHeight - 30, 150, 20}),
        display("lblStatus", {kMinMapWidth - 243, kMinMapHeight - 28, 155, 22}, "", 12, true, true),
        hidden("frmQNH", {kMinMapWidth - 85, kMinMapHeight - 28, 80, 22}),
        display("lblQNH", {4, 1, 74, 20}, "QNH 1013", 12),
        // the instrument and the GPS displays in the panel left of the map
        shown("Kurskreisel", {35, 5, 201, 201}),
        hidden("frmVOR", {20, 75, 160, 52}),
        shown("tVOR1", {4, 4, 152, 22}),
        display("lblResult", {4, 28, 152, 20}, "", 11, false),
        styled(hidden("frmKurs", {55, 70, 90, 56}), "QFrame { background-color: #FFFFC0; }"),
        display("Label3", {4, 2, 82, 18}, "Kurs", 11),
        aligned(shown("tKurs", {4, 24, 82, 24}, "0"), Qt::AlignCenter),
        display("lblVOR1", {5, 208, 150, 18}, "", 12),
        display("lbldistVOR", {160, 208, 70, 18}, "", 12),
        aligned(display("lblSpeed", {5, 230, 80, 30}, "---", 24), kRight),
        display("lblSpeedmode", {90, 240, 40, 18}, "kts", 12, false),
        aligned(display("lblBearing", {140, 230, 70, 30}, "---", 24), kRight),
        display("lblDegrees", {213, 234, 20, 18}, "°", 14, false),
        aligned(display("lblAlt", {5, 262, 80, 30}, "---", 24), kRight),
        display("lblAltmode", {90, 272, 40, 18}, "ft", 12, false),
        // wind
        shown("frmHDG", {5, 300, 62, 44}),
        display("lblHDGTitle", {4, 1, 50, 14}, "HDG", 10, false),
        display("lblHeading", {4, 16, 54, 24}, "---", 16),
        shown("frmIAS", {72, 300, 62, 44}),
        display("lblIASTitle", {4, 1, 50, 14}, "IAS", 10, false),
        display("lblIAS", {4, 16, 54, 24}, "---", 16),
        styled(shown("Frame5", {139, 300, 90, 44}), "QFrame { background-color: #404040; }"),
        display("lblWindTitle", {4, 1, 60, 14}, "Wind", 10, false),
        styled(display("lblWind", {4, 16, 84, 24}, "--- / ---", 14), "color: yellow;"),
        shown("Frame6", {233, 303, 37, 37}),
        shown("picWind", {2, 2, 33, 33}),
        // route and navigation
        shown("cmbRoute", {5, 350, 200, 24}),
        shown("tRoute", {5, 350, 200, 24}),
        shown("cmdShowPoints", {210, 350, 60, 24}, "WPT"),
        picture("picShowPoints", {210, 350, 60, 24}, "RTE"),
        shown("gridWaypoints", {5, 378, 265, 190}),
        shown("cmdActivateGoto", {5, 572, 58, 30}, "GOTO"),
        picture("picActivateGoto", {5, 572, 58, 30}, "GOTO"),
        shown("cmdPrev", {67, 572, 40, 30}, "<"),
        shown("cmdNext", {111, 572, 40, 30}, ">"),
        shown("cmdDirectFly", {155, 572, 55, 30}, "D→"),
        picture("picDF", {155, 572, 55, 30}, "D→"),
        shown("cmdSet", {214, 572, 56, 30}, "SET"),
        picture("picSet", {214, 572, 56, 30}, "SET"),
        display("lblLatx", {5, 606, 100, 18}, "", 12, true, true),
        display("lblLongx", {110, 606, 100, 18}, "", 12, true, true),
    };
    return controls;
}

const FlightControl& flightControl(const QString& name)
{
    for (const FlightControl& c : flightControls()) {
        if (c.name == name)
            return c;
    }
    throw std::out_of_range("no flight window control " + name.toStdString());
}

QImage flightPicture(const FlightControl& control)
{
    const QSize size = control.place.size();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(control.fill.darker(160), 2));
    painter.setBrush(control.fill);
    painter.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 6, 6);
    painter.setPen(control.ink);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(control.caption.size() > 4 ? 10 : 13);
    painter.setFont(font);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap,
                     control.caption);
    return image;
}

std::optional<std::vector<std::pair<QString, QRect>>> flightLayout(int width, int height)
{
    const int w = width - kFlightPanelWidth;
    const int h = height - kStripHeight;
    if (w < kMinMapWidth || h < kMinMapHeight)
        return std::nullopt;
    // The two switches share out the room between the slider and the GPS button.
    const int gpsLeft = w + 192;
    const int sliderLeft = kMapLeft + 175;
    const int g = static_cast<int>(std::lround((gpsLeft - sliderLeft - 440) / 2.0));
    const std::pair<const char*, QPoint> moved[] = {
        // along the bottom edge of the map
        {"cmdGPS", {gpsLeft, h + 5}},
        {"picGPSCheck0", {gpsLeft, h + 5}},
        {"picGPSCheck1", {gpsLeft, h + 5}},
        {"picGPSCheck2", {gpsLeft, h + 5}},
        {"SlideMap", {sliderLeft, h + 8}},
        {"cmdKartezentrieren", {kMapLeft + 515 + g, h + 5}},
        {"picKartezentrieren", {kMapLeft + 515 + g, h + 5}},
        {"cmdMapScroll", {kMapLeft + 444 + g, h + 5}},
        {"PicMapScroll", {kMapLeft + 444 + g, h + 5}},
        {"cmbMaps", {kMapLeft, h + 9}},
        {"tNextMap", {kMapLeft, h + 8}},
        {"LblMapNumber", {kMapLeft - 33, h + 11}},
        // inside the map, along its bottom and at its top right
        {"Frame3", {55, h - 28}},
        {"progBar", {335, h - 30}},
        {"lblStatus", {w - 243, h - 28}},
        {"frmQNH", {w - 85, h - 28}},
        {"cmdRecord", {w - 43, 5}},
        {"picRecord", {w - 43, 5}},
        {"cmdRecordAuto", {w - 43, 5}},
    };
    std::vector<std::pair<QString, QRect>> places{{QStringLiteral("picMap"), {kMapLeft, 0, w, h}}};
    for (const auto& [name, topLeft] : moved) {
        const QString control = text(name);
        places.emplace_back(control, QRect(topLeft, flightControl(control).place.size()));
    }
    return places;
}

QPointF flightSliderTwips(QPointF posPx, int widthPx)
{
    const double width =
        widthPx > 0 ? widthPx : flightControl(QStringLiteral("SlideMap")).place.width();
    return {posPx.x() * 3615.0 / width, posPx.y() * 15.0};
}

std::vector<std::pair<QString, QString>> flightToolTips(bool german)
{
    const auto tip = [german](const char* control, const char* de, const char* en) {
        return std::pair<QString, QString>(text(control), text(german ? de : en));
    };
    std::vector<std::pair<QString, QString>> tips;
    if (german) {
        for (const char* control : {"cmdLR1", "cmdLR2", "picLR3"})
            tips.push_back(tip(control, " Luftraum an/mit Höhe/aus ", ""));
        for (const char* control : {"picPR", "cmdPR"})
            tips.push_back(tip(control, " Platzrunden an/aus ", ""));
    }
    for (const char* control : {"PicMapScroll", "cmdMapScroll"})
        tips.push_back(tip(control, " Automasches Kartenumschalten an/aus ",
                           " Automatic map switching on/off "));
    for (const char* control : {"picKartezentrieren", "cmdKartezentrieren"})
        tips.push_back(tip(control, " Karte zentrieren an/aus ", " Center Map on/off "));
    tips.push_back(
        tip("cmdShowPoints", " alle Wegpunkte werden angezeigt ", " all waypoints are displayed "));
    tips.push_back(tip("picShowPoints", " nur Streckenpunkte werden angezeigt ",
                       " only routepoints are displayed "));
    for (const char* control : {"cmdWayInfo", "picWayInfo"})
        tips.push_back(tip(control, " Wegpunkt Name an/aus ", " Waypoint Name on/off "));
    tips.push_back(tip("picShowRoute", "Route anzeigen an/aus ", "Don't show route"));
    tips.push_back(tip("cmdshowRoute", "Route anzeigen an/aus", "Show route"));
    return tips;
}

} // namespace tv
