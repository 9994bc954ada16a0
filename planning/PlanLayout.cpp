#include "planning/PlanLayout.h"

#include <cmath>
#include <map>

namespace tv {

namespace {

constexpr int kMinMapWidth = 508;
constexpr int kMinMapHeight = 421;
constexpr int kMapTop = 56;

int whole(double v)
{
    return static_cast<int>(std::lround(v));
}

} // namespace

const std::vector<ControlPlace>& planDesignedPlaces()
{
    static const std::vector<ControlPlace> places = {
        {QStringLiteral("picMap"), {4, 56, 509, 430}},
        {QStringLiteral("tLR"), {0, 0, 169, 24}},
        {QStringLiteral("cmbMaps"), {4, 490, 137, 24}},
        {QStringLiteral("SlideMap"), {144, 488, 261, 25}},
        {QStringLiteral("cmdMessen"), {408, 488, 105, 26}},
        {QStringLiteral("picMessen"), {408, 488, 105, 26}},
        {QStringLiteral("lblDistanz"), {4, 24, 101, 25}},
        {QStringLiteral("lblKurs"), {116, 24, 65, 25}},
        {QStringLiteral("lblLatx"), {288, 24, 85, 25}},
        {QStringLiteral("lblNS"), {372, 24, 23, 25}},
        {QStringLiteral("lblLongx"), {406, 24, 85, 25}},
        {QStringLiteral("lblEW"), {490, 24, 23, 25}},
        {QStringLiteral("Label3"), {8, 8, 97, 13}},
        {QStringLiteral("Label4"), {116, 8, 69, 13}},
        {QStringLiteral("Label1"), {288, 8, 109, 13}},
        {QStringLiteral("Label2"), {408, 8, 109, 13}},
        {QStringLiteral("cmdshowRoute"), {192, 24, 90, 26}},
        {QStringLiteral("picShowRoute"), {192, 24, 90, 26}},
        {QStringLiteral("tWaypoint1"), {528, 24, 157, 24}},
        {QStringLiteral("tWaypoint2"), {708, 24, 85, 24}},
        {QStringLiteral("tWaypoint3"), {833, 24, 85, 24}},
        {QStringLiteral("tNS"), {792, 24, 19, 24}},
        {QStringLiteral("tEW"), {917, 24, 19, 24}},
        {QStringLiteral("Label5"), {528, 8, 157, 17}},
        {QStringLiteral("Label6"), {708, 8, 101, 17}},
        {QStringLiteral("Label7"), {833, 8, 101, 17}},
        {QStringLiteral("tquickfind"), {568, 56, 257, 21}},
        {QStringLiteral("Label11"), {568, 70, 257, 43}},
        {QStringLiteral("cmbKat"), {568, 78, 161, 28}},
        {QStringLiteral("tKat"), {568, 80, 159, 24}},
        {QStringLiteral("lblCount"), {728, 85, 97, 17}},
        {QStringLiteral("cmdPrev"), {528, 56, 41, 49}},
        {QStringLiteral("cmdNext"), {824, 56, 41, 49}},
        {QStringLiteral("cmdNew"), {872, 56, 65, 49}},
        {QStringLiteral("cmdChange"), {872, 152, 65, 49}},
        {QStringLiteral("cmdDelete"), {872, 240, 65, 49}},
        {QStringLiteral("gridWaypoints"), {528, 104, 337, 185}},
        {QStringLiteral("cmdNewRoute"), {528, 298, 55, 27}},
        {QStringLiteral("cmdRouteDelete"), {667, 488, 55, 27}},
        {QStringLiteral("gridRoute"), {528, 324, 194, 165}},
        {QStringLiteral("cmdAddwaypoint"), {744, 298, 55, 27}},
        {QStringLiteral("cmdDeleteWaypoint"), {882, 488, 55, 27}},
        {QStringLiteral("gridPoints"), {743, 324, 194, 165}},
    };
    return places;
}

QRect planDesignedPlace(const QString& name)
{
    for (const ControlPlace& p : planDesignedPlaces()) {
        if (p.name == name)
            return p.rect;
    }
    return {};
}

std::optional<std::vector<ControlPlace>> planLayout(double width, double height)
{
    const int w = whole(width - 443);
    const int h = whole(height - 100);
    if (w < kMinMapWidth || h < kMinMapHeight)
        return std::nullopt;

    const QRect map = planDesignedPlace(QStringLiteral("picMap"));
    const int x0 = map.left() + w + 13;
    // Offsets of the right-hand column from its left edge x0.
    static const std::map<QString, int> column = {
        {QStringLiteral("lblLatx"), -238},
        {QStringLiteral("Label1"), -238},
        {QStringLiteral("lblNS"), -153},
        {QStringLiteral("lblLongx"), -121},
        {QStringLiteral("Label2"), -121},
        {QStringLiteral("lblEW"), -36},
        {QStringLiteral("cmdMessen"), -117},
        {QStringLiteral("picMessen"), -117},
        {QStringLiteral("gridRoute"), -1},
        {QStringLiteral("tWaypoint1"), 0},
        {QStringLiteral("Label5"), 0},
        {QStringLiteral("cmdPrev"), 0},
        {QStringLiteral("gridWaypoints"), 0},
        {QStringLiteral("cmdNewRoute"), 0},
        {QStringLiteral("tquickfind"), 40},
        {QStringLiteral("Label11"), 40},
        {QStringLiteral("cmbKat"), 40},
        {QStringLiteral("tKat"), 40},
        {QStringLiteral("cmdRouteDelete"), 138},
        {QStringLiteral("tWaypoint2"), 179},
        {QStringLiteral("Label6"), 179},
        {QStringLiteral("lblCount"), 200},
        {QStringLiteral("gridPoints"), 215},
        {QStringLiteral("cmdAddwaypoint"), 216},
        {QStringLiteral("tNS"), 264},
        {QStringLiteral("cmdNext"), 296},
        {QStringLiteral("tWaypoint3"), 305},
        {QStringLiteral("Label7"), 305},
        {QStringLiteral("cmdNew"), 345},
        {QStringLiteral("cmdChange"), 345},
        {QStringLiteral("cmdDelete"), 345},
        {QStringLiteral("cmdDeleteWaypoint"), 354},
        {QStringLiteral("tEW"), 390},
    };

    std::vector<ControlPlace> places = planDesignedPlaces();
    for (ControlPlace& p : places) {
        if (p.name == QLatin1String("picMap")) {
            p.rect.setSize({w, h});
            continue;
        }
        if (p.name == QLatin1String("cmdshowRoute") || p.name == QLatin1String("picShowRoute")) {
            p.rect.moveLeft(whole(w / 2.0 - 45 - map.left() - 15));
            continue;
        }
        const auto it = column.find(p.name);
        if (it != column.end())
            p.rect.moveLeft(x0 + it->second);
        if (p.name == QLatin1String("cmbMaps"))
            p.rect.moveTop(h + kMapTop + 3);
        else if (p.name == QLatin1String("SlideMap") || p.name == QLatin1String("picMessen") ||
                 p.name == QLatin1String("cmdMessen"))
            p.rect.moveTop(h + kMapTop + 2);
    }
    return places;
}

} // namespace tv
