// The airspace layer's pictures over the generated files (shaped like real data, and the grid
// file) on a 1,600 x 1,000 flight map and plan map, close up, regional and with the whole file
// in view, labels on and off, against the painter as it was before it printed its labels in
// one batch (PainterBefore.h, every line and label through QPainter).
//
// Without labels the pictures are the same pixel for pixel. With labels, every label now lies
// on top of all the lines, where before a line drawn after a label crossed it: a pixel may
// differ only where the new picture shows a label's text over a line, i.e. the new pixel is
// the label colour and the old one a line colour. Nothing else may differ.

#include "AirspaceFiles.h"
#include "PainterBefore.h"

#include "airspace/AirspacePainter.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "platform/Connection.h"
#include "schema/Schema.h"
#include "support/GuiApp.h"
#include "support/SurfaceImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>
#include <ostream>
#include <set>
#include <string>

namespace astest {
namespace {

using tvtest::AirspaceFileShape;

constexpr int kMapWidth = 1600;
constexpr int kMapHeight = 1000;
constexpr uint32_t kChart = 0xFFFFFF;

class FixtureFile
{
public:
    explicit FixtureFile(AirspaceFileShape shape)
    {
        const auto file = dir_ / "Luftraum.tvd";
        tv::schema::createDataFile(file, tv::schema::DataFile::Airspace);
        db = std::make_shared<tv::Connection>();
        db->Open(file.string());
        tvtest::fillAirspaceFile(*db, shape);
    }
    std::shared_ptr<tv::Connection> db;

private:
    tvtest::TempDir dir_;
};

FixtureFile& fixture(AirspaceFileShape shape)
{
    static FixtureFile real(AirspaceFileShape::RealShaped);
    static FixtureFile grid(AirspaceFileShape::Grid);
    return shape == AirspaceFileShape::RealShaped ? real : grid;
}

const QImage& chartImage()
{
    static const QImage image = [] {
        QImage i(tvtest::kAirspaceChartWidthPx, tvtest::kAirspaceChartHeightPx,
                 QImage::Format_RGB32);
        i.fill(tv::vbColor(kChart));
        return i;
    }();
    return image;
}

// A view `widthDeg` wide with its top-left corner at (northDeg, westDeg), the slider where the
// zoom puts it (half the chart's width at 0, the whole at 100).
struct View
{
    const char* what;
    double northDeg;
    double westDeg;
    double widthDeg;
};
const View kViews[] = {
    {"close up", 51.0, 9.6, 0.8},
    {"regional", 52.0, 8.75, 2.5},
    {"whole file", 55.0, 5.0, 10.0},
};

tv::MapView mapView(const View& v, bool planMap)
{
    tv::MapView view(planMap ? tv::MapViewConstants::planWindow()
                             : tv::MapViewConstants::flightWindow());
    view.setViewSize(kMapWidth, kMapHeight);
    view.loadChart(tvtest::airspaceFixtureChart(), chartImage());
    const double sw = v.widthDeg * tvtest::kAirspaceChartPxPerDegLon;
    const double half = tvtest::kAirspaceChartWidthPx / 2.0;
    view.restoreView(
        (v.westDeg - tvtest::kAirspaceChartWestDeg) * tvtest::kAirspaceChartPxPerDegLon,
        (tvtest::kAirspaceChartNorthDeg - v.northDeg) * tvtest::kAirspaceChartPxPerDegLat, sw,
        sw * kMapHeight / kMapWidth, std::round((sw - half) * 100.0 / half));
    return view;
}

tv::ViewBox viewBox(tv::MapView& view)
{
    view.computeViewBounds(0, 0, kMapWidth, kMapHeight);
    return {view.viewSouthDDMM(), view.viewNorthDDMM(), view.viewWestDDMM(), view.viewEastDDMM()};
}

QImage paintedBefore(const tv::MapView& view, const std::vector<tv::AirspaceStroke>& strokes)
{
    QImage image = tvtest::blankSurfaceImage(kMapWidth, kMapHeight, tv::vbColor(kChart));
    QPainter painter(&image);
    tv::Drawing picMap(painter);
    paintAirspaceStrokesAsBefore(picMap, view, strokes);
    painter.end();
    return image;
}

struct Comparison
{
    long drawn = 0;       // pixels of the old picture that are not chart
    long labelOnTop = 0;  // label now, line before: allowed
    long otherwise = 0;   // any other difference
    long labelPixels = 0; // of the new picture
};

Comparison compare(const QImage& before, const QImage& now)
{
    const std::set<uint32_t> lineColours{tv::kAirspaceBlack, tv::kAirspaceRed, tv::kTmzColour,
                                         tv::kDangerAreaColour, tv::kTrafficCircuitColour};
    Comparison c;
    for (int y = 0; y < kMapHeight; ++y) {
        const auto* b = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* n = reinterpret_cast<const QRgb*>(now.constScanLine(y));
        for (int x = 0; x < kMapWidth; ++x) {
            const uint32_t old = tv::vbColorValue(QColor(b[x]));
            const uint32_t fresh = tv::vbColorValue(QColor(n[x]));
            c.drawn += old != kChart ? 1 : 0;
            c.labelPixels += fresh == tv::kAirspaceLabelColour ? 1 : 0;
            if (old == fresh)
                continue;
            if (fresh == tv::kAirspaceLabelColour && lineColours.count(old))
                ++c.labelOnTop;
            else
                ++c.otherwise;
        }
    }
    return c;
}

struct Case
{
    AirspaceFileShape shape;
    bool planMap;
    bool labels; // the flight map's switch; the plan map always labels
};

// Names each case in the test list, the same in every build.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << (c.shape == AirspaceFileShape::RealShaped ? "real-shaped" : "grid")
        << (c.planMap ? " plan map" : " flight map") << (c.labels ? " labels" : " no labels");
}

std::string describe(const Case& c, const View& v)
{
    return std::string(c.shape == AirspaceFileShape::RealShaped ? "real-shaped" : "grid") +
           (c.planMap ? " file, plan map, " : " file, flight map, ") + v.what +
           (c.labels ? ", labels" : ", no labels");
}

class AirspacePictures : public ::testing::TestWithParam<Case>
{
protected:
    void SetUp() override { tvtest::ensureGuiApplication(); }
};

TEST_P(AirspacePictures, MatchThePainterBefore)
{
    const Case c = GetParam();
    const std::shared_ptr<tv::Connection>& db = fixture(c.shape).db;
    for (const View& v : kViews) {
        const std::string what = describe(c, v);
        tv::MapView view = mapView(v, c.planMap);
        // Before: the layer's strokes, painted as they were; now: the map's redraw. Each with a
        // fresh layer, so that the edge colours start alike.
        tv::AirspaceLayer before;
        tv::AirspaceLayer now;
        tv::DrawSurface surface(kMapWidth, kMapHeight, kChart);
        std::vector<tv::AirspaceStroke> strokes;
        if (c.planMap) {
            const tv::PlanAirspaceSwitches all{true, std::nullopt, true};
            tv::PlanAirspaceRequest request{all, viewBox(view), view.sliderValue()};
            strokes = before.planMap(db, request).drawing.strokes;
            tv::drawPlanAirspaces(now, surface, view, db, all, 0);
        } else {
            tv::FlightAirspaceRequest request;
            request.airspaces = true;
            request.labels = c.labels;
            request.circuits = true;
            request.altitudeFt = 1000.0;
            request.view = viewBox(view);
            request.sliderValue = view.sliderValue();
            strokes = before.flightMap(db, request).strokes;
            bool faultShown = false;
            tv::drawFlightAirspaces(now, surface, view, db, {true, c.labels, true}, 1000.0, true,
                                    1013, 0, faultShown);
        }
        ASSERT_GT(strokes.size(), 1000u) << what;
        const Comparison result = compare(paintedBefore(view, strokes), surface.image());
        EXPECT_GT(result.drawn, 20000) << what;
        EXPECT_EQ(result.otherwise, 0) << what;
        if (c.labels)
            EXPECT_GT(result.labelPixels, 1000) << what;
        else
            EXPECT_EQ(result.labelOnTop, 0) << what;
        std::printf("%s: %ld pixels drawn, %ld label pixels now over a line\n", what.c_str(),
                    result.drawn, result.labelOnTop);
    }
}

INSTANTIATE_TEST_SUITE_P(FixtureFiles, AirspacePictures,
                         ::testing::Values(Case{AirspaceFileShape::RealShaped, false, false},
                                           Case{AirspaceFileShape::RealShaped, false, true},
                                           Case{AirspaceFileShape::RealShaped, true, true},
                                           Case{AirspaceFileShape::Grid, false, false},
                                           Case{AirspaceFileShape::Grid, false, true},
                                           Case{AirspaceFileShape::Grid, true, true}));

} // namespace
} // namespace astest
