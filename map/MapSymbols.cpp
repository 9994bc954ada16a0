#include "map/MapSymbols.h"

#include "core/GeoMath.h"
#include "map/AirportData.h"
#include "map/Drawing.h"
#include "map/MapView.h"

#include <cmath>

namespace tv {

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kNavy = 0x800000;

// Labels start 10 pixels right of the point; the name's top lies 7 pixels above it.
constexpr double kLabelDx = 10.0;
constexpr double kNameDy = -7.0;

void printAt(Drawing& picMap, double x, double y, const QString& text)
{
    picMap.setCurrentX(x);
    picMap.setCurrentY(y);
    picMap.Print(QLatin1Char(' ') + text + QLatin1Char(' '));
}

} // namespace

std::optional<QPointF> mapPixelOf(const MapView& view, double latDDMM, double lonDDMM)
{
    if (!std::isfinite(latDDMM) || !std::isfinite(lonDDMM))
        return std::nullopt;
    return view.positionToView(GeoPos{DDMMToDegrees(latDDMM), DDMMToDegrees(lonDDMM)});
}

void drawWaypointSymbol(Drawing& picMap, const MapView& view, QPointF at, int kind,
                        const QString& name, bool showName)
{
    uint32_t outer = 0;
    int width = 4;
    switch (static_cast<PointKind>(kind)) {
    case PointKind::Ordinary:
        outer = kRed;
        break;
    case PointKind::ActiveTarget:
        outer = kBlue;
        width = view.zoomedDrawWidth(6);
        break;
    case PointKind::DirectTarget:
        outer = kYellow;
        width = view.zoomedDrawWidth(6);
        break;
    default:
        return;
    }
    picMap.setForeColor(kBlack);
    picMap.setDrawWidth(width);
    picMap.Circle(at.x(), at.y(), 2, kBlack);
    picMap.Circle(at.x(), at.y(), 5, outer);
    if (showName)
        printAt(picMap, at.x() + kLabelDx, at.y() + kNameDy, name);
    picMap.setDrawWidth(1);
}

void DrawWaypointSymbol(Drawing& picMap, const MapView& view, double latDDMM, double lonDDMM,
                        int kind, const QString& name, bool showWayInfo)
{
    if (const auto at = mapPixelOf(view, latDDMM, lonDDMM))
        drawWaypointSymbol(picMap, view, *at, kind, name, showWayInfo);
}

void DrawAirportInfo(Drawing& picMap, const MapView& view, double latDDMM, double lonDDMM, int kind,
                     const QString& name, const LayerFlags& layers, SymbolModes modes,
                     const AirportInfo* airport)
{
    const auto at = mapPixelOf(view, latDDMM, lonDDMM);
    if (!at)
        return;
    if (!modes.aptDataAvailable) {
        drawWaypointSymbol(picMap, view, *at, kind, name, layers.ShowWayInfo);
        return;
    }
    if (name.size() != 4 || airport == nullptr) {
        // No airport: in route-points-only mode the waypoints in view yield only their
        // airports, but the direct-flight target always gets its symbol.
        if (kind != static_cast<int>(PointKind::DirectTarget) && modes.routePointsOnly)
            return;
        drawWaypointSymbol(picMap, view, *at, kind, name, layers.ShowWayInfo);
        return;
    }

    const double x = at->x();
    const double y = at->y();
    picMap.setForeColor(kBlack);
    if (layers.ShowAPT1) {
        picMap.setDrawWidth(6);
        picMap.Circle(x, y, 10, kNavy);
        if (airport->headingDeg) {
            // A 20-pixel bar through the point along the runway, north up.
            const double h = *airport->headingDeg * kGeoPi / 180.0;
            const double c = std::cos(h);
            const double s = std::sin(h);
            picMap.Line(x, y, x + 10 * s, y - 10 * c, airport->runwayColour);
            picMap.Line(x, y, x - 10 * s, y + 10 * c, airport->runwayColour);
        }
        printAt(picMap, x + kLabelDx, y + kNameDy, name);
    }
    if (layers.ShowAPT2) {
        printAt(picMap, x + kLabelDx, y + 10, airport->runwayText);
        printAt(picMap, x + kLabelDx, y + 27, airport->lines.info);
        if (!airport->lines.atis.isEmpty())
            printAt(picMap, x + kLabelDx, y + 44, airport->lines.atis);
    }
    picMap.setDrawWidth(1);
}

} // namespace tv
