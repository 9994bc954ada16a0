// The airspace layer on a map surface: strokes at the projected pixels in their colours, labels
// on and off, traffic circuits by their switch, the flight map's QNH box and the plan map's
// altitude box. A blank white chart, so every coloured pixel is the layer's.

#include "AirspaceFixture.h"

#include "airspace/AirspaceMapLayers.h"
#include "airspace/AirspacePainter.h"
#include "core/GeoMath.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "support/BgrColours.h"
#include "support/ChartRows.h"
#include "support/GuiApp.h"
#include "support/PixelProbe.h"

namespace astest {
namespace {

using tvtest::chartRow;
using tvtest::bgr::kWhite;

class MapLayer : public AirspaceFile
{
protected:
    void SetUp() override
    {
        tvtest::ensureGuiApplication();
        AirspaceFile::SetUp();
        // 48°-49° N, 9°-10° E on 500 x 400 pixels; the map shows the left half of it on
        // 1000 x 800 pixels (four map pixels per chart pixel each way... by the view's aspect).
        const tv::ChartRow row =
            chartRow({.south = 48.00, .north = 49.00, .west = 9.00, .east = 10.00}, 500, 400);
        QImage chart(500, 400, QImage::Format_RGB32);
        chart.fill(Qt::white);
        view.setViewSize(1000, 800);
        ASSERT_EQ(view.loadChart(row, chart), tv::MapView::LoadResult::Loaded);
    }

    // Map pixel of a DD.MM position.
    QPointF px(double latDdmm, double lonDdmm) const
    {
        return *view.positionToView({tv::DDMMToDegrees(latDdmm), tv::DDMMToDegrees(lonDdmm)});
    }
    int64_t at(QPointF p) const { return surface.Point(p.x(), p.y()); }
    QPointF middle(QPointF a, QPointF b) const { return (a + b) / 2.0; }

    // Pixels of `colour` in a rectangle.
    int count(uint32_t colour, QRectF area) const
    {
        const QPoint topLeft(static_cast<int>(area.left()), static_cast<int>(area.top()));
        const QPoint bottomRight(static_cast<int>(area.right()), static_cast<int>(area.bottom()));
        return tvtest::countColour(surface, QRect(topLeft, bottomRight), colour);
    }
    // Pixels of `colour` straight down through a point (the thickness of a level line).
    int thicknessAt(QPointF p, uint32_t colour) const
    {
        return tvtest::thicknessAt(surface, static_cast<int>(p.x()), static_cast<int>(p.y()),
                                   colour);
    }
    // Label text ten pixels right of and above the middle of a line.
    int labelPixels(QPointF a, QPointF b) const
    {
        const QPointF m = middle(a, b);
        return count(tv::kAirspaceLabelColour, QRectF(m.x() + 10, m.y() - 10, 80, 14));
    }

    // The maps' airspace layers, given their inputs and drawn as their stacks draw them.
    tv::FlightAirspaceBox flight(bool airspaces, bool labels, bool circuits, double altFt = 1000)
    {
        tv::LayerFlags switches;
        switches.ShowLuftraum = airspaces;
        switches.ShowLuftraumHoehe = labels;
        switches.ShowPR = circuits;
        flightLayer.prepare({db, switches, altFt, true, 1013, 0});
        flightLayer.draw(surface, view);
        return flightLayer.box().value();
    }
    // An empty altitude: all airspaces.
    tv::PlanAirspaceBox plan(bool airspaces, std::optional<double> altitudeFt, bool circuits)
    {
        planLayer.prepare(
            tv::PlanAirspaceMapLayer::Inputs{db, {airspaces, altitudeFt, circuits}, 1});
        planLayer.draw(surface, view);
        return planLayer.box().value();
    }
    void clear() { surface.Cls(); }

    // A square 48°30'-48°40' N, 9°10'-9°20' E: edges along the parallels and meridians.
    void addBox(int32_t index, const Limits& limits = {})
    {
        add(index, limits, {dp(48.40, 9.10), dp(48.40, 9.20), dp(48.30, 9.20), dp(48.30, 9.10)});
    }
    QPointF boxNorthMiddle() const { return middle(px(48.40, 9.10), px(48.40, 9.20)); }
    QPointF boxEastMiddle() const { return middle(px(48.40, 9.20), px(48.30, 9.20)); }

    tv::DrawSurface surface{1000, 800, kWhite};
    tv::MapView view;
    tv::FlightAirspaceMapLayer flightLayer;
    tv::PlanAirspaceMapLayer planLayer;
};

TEST_F(MapLayer, PolygonEdgesLieOnTheProjectedPixelsRedThenBlack)
{
    addBox(1);
    flight(true, false, false);
    EXPECT_EQ(at(boxNorthMiddle()), tv::kAirspaceRed);
    EXPECT_EQ(at(boxEastMiddle()), tv::kAirspaceBlack);
    EXPECT_EQ(at(middle(px(48.40, 9.10), px(48.30, 9.20))), kWhite); // inside stays clear
    EXPECT_EQ(thicknessAt(boxNorthMiddle(), tv::kAirspaceRed), 7);
}

TEST_F(MapLayer, CircleChordsLieOnTheCircle)
{
    add(1, {}, {dc(48.35, 9.15, 3.0)}); // 3 NM: 30 degree steps
    flight(true, false, false);
    // The first chord (black) runs from the point at 0 to the one at 30 degrees.
    const double cLat = tv::DDMMToDegrees(48.35);
    const double cLon = tv::DDMMToDegrees(9.15);
    auto onCircle = [&](double bearingDeg) {
        const double b = bearingDeg * M_PI / 180.0;
        return *view.positionToView(
            {cLat + 3.0 / 60.0 * std::cos(b),
             cLon + 3.0 / 60.0 * std::sin(b) / std::cos(cLat * M_PI / 180.0)});
    };
    EXPECT_EQ(at(middle(onCircle(0), onCircle(30))), tv::kAirspaceBlack);
    EXPECT_EQ(at(middle(onCircle(30), onCircle(60))), tv::kAirspaceRed);
    EXPECT_EQ(at(px(48.35, 9.15)), kWhite);
}

TEST_F(MapLayer, TmzAndDangerAreaEdgesInTheirColoursOneNarrowerOnTheFlightMap)
{
    Limits tmz;
    tmz.type = "TMZ";
    addBox(1, tmz);
    flight(true, false, false);
    EXPECT_EQ(at(boxNorthMiddle()), tv::kTmzColour);
    EXPECT_EQ(thicknessAt(boxNorthMiddle(), tv::kTmzColour), 6);
    clear();
    db->Execute("UPDATE \"Luftraum\" SET \"AspType\" = 'Q'");
    flightLayer = {}; // rows are kept per layer
    flight(true, false, false);
    EXPECT_EQ(at(boxNorthMiddle()), tv::kDangerAreaColour);
}

TEST_F(MapLayer, LabelsOnlyWithTheLabelSwitch)
{
    addBox(1);
    flight(true, false, false);
    EXPECT_EQ(labelPixels(px(48.40, 9.10), px(48.40, 9.20)), 0);
    clear();
    flight(true, true, false);
    EXPECT_GT(labelPixels(px(48.40, 9.10), px(48.40, 9.20)), 10);
    EXPECT_GT(labelPixels(px(48.40, 9.20), px(48.30, 9.20)), 10);
}

TEST_F(MapLayer, TrafficCircuitOnlyWithItsSwitch)
{
    Limits circuit;
    circuit.type = "A";
    addBox(1, circuit);
    flight(true, true, false);
    EXPECT_EQ(count(tv::kTrafficCircuitColour, QRectF(0, 0, 999, 799)), 0);
    flight(false, true, true);
    EXPECT_EQ(at(boxNorthMiddle()), tv::kTrafficCircuitColour);
    EXPECT_EQ(labelPixels(px(48.40, 9.10), px(48.40, 9.20)), 0); // a circuit has no label
}

TEST_F(MapLayer, QnhBoxColourTellsManyAirspaces)
{
    for (int i = 1; i <= 31; ++i)
        addBox(i);
    tv::FlightAirspaceBox box = flight(true, false, false);
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.qnhColour, tv::kAirspaceBoxColour);
    addBox(32);
    flightLayer = {}; // the layer keeps what it read: the file as it is now
    box = flight(true, false, false);
    EXPECT_EQ(box.qnhColour, tv::kAirspaceBoxAlertColour);
    EXPECT_EQ(box.qnhToolTip, QString());
    // Circuits alone: the box is hidden and keeps its colour.
    box = flight(false, false, true);
    EXPECT_FALSE(box.visible);
    EXPECT_FALSE(box.qnhColour.has_value());
}

TEST_F(MapLayer, BrokenAirspaceBetweenTwoGoodOnesIsLeftOutAndReported)
{
    add(1, {}, {dp(48.58, 9.05), dp(48.58, 9.12), dp(48.52, 9.12)});
    Row broken = dp(48.52, 9.22);
    broken.lon.reset();
    add(2, {}, {dp(48.58, 9.15), dp(48.58, 9.22), broken});
    add(3, {}, {dp(48.58, 9.24), dp(48.58, 9.28), dp(48.52, 9.28)});
    tv::FlightAirspaceBox box = flight(true, false, false);
    EXPECT_EQ(at(middle(px(48.58, 9.05), px(48.58, 9.12))), tv::kAirspaceRed);
    EXPECT_EQ(at(middle(px(48.58, 9.15), px(48.58, 9.22))), kWhite); // nothing half-drawn
    // Airspace 2 drew nothing, so the colours run on from 1 to 3: red, black, red, black.
    EXPECT_EQ(at(middle(px(48.58, 9.24), px(48.58, 9.28))), tv::kAirspaceBlack);
    EXPECT_EQ(box.qnhColour, tv::kAirspaceBoxAlertColour);
    EXPECT_EQ(box.qnhToolTip, QStringLiteral("Luftraumdaten fehlerhaft"));

    // Mended: the next complete redraw clears the signal (the file mended and opened anew).
    db->Execute("DELETE FROM \"Luftraum\" WHERE \"Index\" = 2");
    db = std::make_shared<tv::Connection>();
    db->Open(file.string());
    box = flight(true, false, false);
    EXPECT_EQ(box.qnhColour, tv::kAirspaceBoxColour);
    EXPECT_EQ(box.qnhToolTip, QString());
}

TEST_F(MapLayer, SelectionThatFailsIsReported)
{
    addBox(1);
    db->Execute("DROP TABLE \"Luftraum\"");
    const tv::FlightAirspaceBox box = flight(true, false, false);
    EXPECT_EQ(box.qnhColour, tv::kAirspaceBoxAlertColour);
    EXPECT_EQ(box.qnhToolTip, QStringLiteral("Luftraumdaten fehlerhaft"));
}

TEST_F(MapLayer, WithoutAirspaceFileNothingChanges)
{
    db.reset();
    const tv::FlightAirspaceBox box = flight(true, true, true);
    EXPECT_TRUE(box.visible);
    EXPECT_FALSE(box.qnhColour.has_value());
    EXPECT_FALSE(box.qnhToolTip.has_value());
}

TEST_F(MapLayer, EachRedrawDecidesItsOwnBox)
{
    addBox(1);
    flight(true, false, false);
    flightLayer.prepare({db, {}, 0, true, 1013, 0});
    EXPECT_FALSE(flightLayer.box()); // a redraw that fails shows no box of the one before
    plan(true, std::nullopt, false);
    planLayer.prepare(std::nullopt);
    planLayer.draw(surface, view);
    EXPECT_FALSE(planLayer.box()); // without airspace inputs tLR is left as it is
}

// ------------------------------------------------------------------------------ plan map

TEST_F(MapLayer, PlanMapAllOneAltitudeAndNone)
{
    addBox(1); // GND - 2500
    Limits high;
    high.type = "C";
    high.low = 5000;
    high.lowType = "";
    high.high = 9500;
    add(2, high, {dp(48.20, 9.10), dp(48.20, 9.20), dp(48.10, 9.20)});

    tv::PlanAirspaceBox box = plan(true, std::nullopt, false);
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.text, QStringLiteral("Alle Lufträume"));
    EXPECT_EQ(box.backColour, tv::kAirspaceBoxColour);
    EXPECT_NE(at(boxNorthMiddle()), kWhite);
    EXPECT_NE(at(middle(px(48.20, 9.10), px(48.20, 9.20))), kWhite);

    clear();
    box = plan(true, 6000, false);
    EXPECT_EQ(box.text, QStringLiteral("Luftraum in 6000 ft"));
    EXPECT_EQ(at(boxNorthMiddle()), kWhite);
    EXPECT_NE(at(middle(px(48.20, 9.10), px(48.20, 9.20))), kWhite);

    clear();
    box = plan(false, std::nullopt, true);
    EXPECT_FALSE(box.visible);
    EXPECT_EQ(count(tv::kAirspaceRed, QRectF(0, 0, 999, 799)), 0);
    EXPECT_EQ(count(tv::kAirspaceBlack, QRectF(0, 0, 999, 799)), 0);
}

TEST_F(MapLayer, PlanMapLabelsEveryEdgeAndDrawsTypedEdgesAtTheCommonWidth)
{
    Limits tmz;
    tmz.type = "TMZ";
    addBox(1, tmz);
    plan(true, std::nullopt, false);
    EXPECT_EQ(at(boxNorthMiddle()), tv::kTmzColour);
    EXPECT_EQ(thicknessAt(boxNorthMiddle(), tv::kTmzColour), 7);
    EXPECT_GT(labelPixels(px(48.40, 9.10), px(48.40, 9.20)), 10);
    EXPECT_GT(labelPixels(px(48.40, 9.20), px(48.30, 9.20)), 10);
}

TEST_F(MapLayer, PlanMapCircuitsByTheirSwitch)
{
    Limits circuit;
    circuit.type = "A";
    addBox(1, circuit);
    plan(true, 3500, false);
    EXPECT_EQ(at(boxNorthMiddle()), kWhite);
    plan(true, 3500, true); // circuits at every altitude
    EXPECT_EQ(at(boxNorthMiddle()), tv::kTrafficCircuitColour);
}

TEST_F(MapLayer, PlanMapSelectionThatFailsKeepsTheTextAndWarns)
{
    addBox(1);
    db->Execute("DROP TABLE \"Luftraum\"");
    const tv::PlanAirspaceBox box = plan(true, std::nullopt, false);
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.text, QStringLiteral("Alle Lufträume"));
    EXPECT_EQ(box.backColour, tv::kAirspaceBoxAlertColour);
    EXPECT_EQ(box.toolTip, QStringLiteral("Airspace data faulty"));
}

} // namespace
} // namespace astest
