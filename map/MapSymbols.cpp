#include "map/MapSymbols.h"

#include "core/GeoMath.h"
#include "map/AirportData.h"
#include "map/Drawing.h"
#include "map/MapView.h"

#include <cmath>

namespace tv {

namespace {

using namespace bgr;

// Labels start 10 pixels right of the point; the name's top lies 7 pixels above it.
constexpr double kLabelDx = 10.0;
constexpr double kNameDy = -7.0;

void printAt(Drawing& surface, double x, double y, const QString& text)
{
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    surface.Print(QLatin1Char(' ') + text + QLatin1Char(' '));
}

} // namespace

std::optional<QPointF> mapPixelOf(const MapView& view, double latDDMM, double lonDDMM)
{
    if (!std::isfinite(latDDMM) || !std::isfinite(lonDDMM))
        return std::nullopt;
    return view.positionToView(GeoPos{DDMMToDegrees(latDDMM), DDMMToDegrees(lonDDMM)});
}

void drawWaypointSymbol(Drawing& surface, const MapView& view, QPointF at, int kind,
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
    surface.setForeColor(kBlack);
    surface.setDrawWidth(width);
    surface.Circle(at.x(), at.y(), 2, kBlack);
    surface.Circle(at.x(), at.y(), 5, outer);
    if (showName)
        printAt(surface, at.x() + kLabelDx, at.y() + kNameDy, name);
    surface.setDrawWidth(1);
}

void DrawWaypointSymbol(Drawing& surface, const MapView& view, double latDDMM, double lonDDMM,
                        int kind, const QString& name, bool showWayInfo)
{
    if (const auto at = mapPixelOf(view, latDDMM, lonDDMM))
        drawWaypointSymbol(surface, view, *at, kind, name, showWayInfo);
}

void DrawAirportInfo(Drawing& surface, const MapView& view, double latDDMM, double lonDDMM,
                     int kind, const QString& name, const LayerFlags& layers, SymbolModes modes,
                     const AirportInfo* airport)
{
    const auto at = mapPixelOf(view, latDDMM, lonDDMM);
    if (!at)
        return;
    if (!modes.aptDataAvailable) {
        drawWaypointSymbol(surface, view, *at, kind, name, layers.ShowWayInfo);
        return;
    }
    if (name.size() != 4 || airport == nullptr) {
        // No airport: in route-points-only mode the waypoints in view yield only their
        // airports, but the direct-flight target always gets its symbol.
        if (kind != static_cast<int>(PointKind::DirectTarget) && modes.routePointsOnly)
            return;
        drawWaypointSymbol(surface, view, *at, kind, name, layers.ShowWayInfo);
        return;
    }

    const double x = at->x();
    const double y = at->y();
    surface.setForeColor(kBlack);
    if (layers.ShowAPT1) {
        surface.setDrawWidth(6);
        surface.Circle(x, y, 10, kNavy);
        if (airport->headingDeg) {
            // A 20-pixel bar through the point along the runway, north up.
            const double h = *airport->headingDeg * kGeoPi / 180.0;
            const double c = std::cos(h);
            const double s = std::sin(h);
            surface.Line(x, y, x + 10 * s, y - 10 * c, airport->runwayColour);
            surface.Line(x, y, x - 10 * s, y + 10 * c, airport->runwayColour);
        }
        printAt(surface, x + kLabelDx, y + kNameDy, name);
    }
    if (layers.ShowAPT2) {
        printAt(surface, x + kLabelDx, y + 10, airport->runwayText);
        printAt(surface, x + kLabelDx, y + 27, airport->lines.info);
        if (!airport->lines.atis.isEmpty())
            printAt(surface, x + kLabelDx, y + 44, airport->lines.atis);
    }
    surface.setDrawWidth(1);
}

} // namespace tv
