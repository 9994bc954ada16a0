// What the flight window navigates by, held once: the fix as the receiver's sentences build it,
// the redraw rhythm, the direct-flight target and the figures to the target and along the route.
#include "route/RouteFixture.h"
#include "support/NmeaText.h"

#include "core/GeoMath.h"
#include "flight/FlightNavigation.h"
#include "gps/VB6NmeaInterpreter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using tv::FlightNavigation;
using tv::GeoPos;

namespace {

class Navigation : public ::testing::Test
{
public:
    Navigation() { gps.setEvents(&nav.fixEvents()); }
    ~Navigation() override { gps.setEvents(nullptr); }

    void receive(const std::string& sentences)
    {
        size_t start = 0;
        while (start < sentences.size()) {
            const size_t end = sentences.find("\r\n", start);
            gps.Parse(sentences.substr(start, end - start));
            start = end + 2;
        }
    }

    FlightNavigation nav;
    tv::VB6NmeaInterpreter gps;
};

TEST_F(Navigation, TheAircraftIsWhereTheFixPutsItOrWhereItWasPlacedWithoutOne)
{
    struct Step
    {
        const char* name;
        std::function<void(Navigation&)> run;
        bool fix;
        GeoPos at;
    };
    const std::vector<Step> steps = {
        {"the start: no fix, 49 N 9 E", [](Navigation&) {}, false, {49.0, 9.0}},
        {"placed at a route's first point",
         [](Navigation& t) { t.nav.fixEvents().placeWithoutFix(48.2, 11.5); },
         false,
         {48.2, 11.5}},
        {"a position without a fix changes nothing",
         [](Navigation& t) { t.receive(tvtest::nmea("GPGGA,120000,4830.0,N,00930.0,E,1")); },
         false,
         {48.2, 11.5}},
        {"a fix puts it there",
         [](Navigation& t) { t.receive(tvtest::fixAt(48.5, -9.5)); },
         true,
         {48.5, -9.5}},
        {"no placing over a fix",
         [](Navigation& t) { t.nav.fixEvents().placeWithoutFix(47.0, 8.0); },
         true,
         {48.5, -9.5}},
        {"a lost fix keeps it where it was",
         [](Navigation& t) { t.receive(tvtest::fixStatus(false)); },
         false,
         {48.5, -9.5}},
        {"fix again, then the receiver falls silent",
         [](Navigation& t) {
             t.receive(tvtest::fixAt(48.6, 9.6));
             t.nav.signalLost();
         },
         false,
         {48.6, 9.6}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.run(*this);
        EXPECT_EQ(nav.hasFix(), step.fix);
        EXPECT_NEAR(nav.aircraft().latDeg, step.at.latDeg, 1e-9);
        EXPECT_NEAR(nav.aircraft().lonDeg, step.at.lonDeg, 1e-9);
    }
}

TEST_F(Navigation, MapIsRedrawnOnTheFirstPositionThenOnEveryTwentyFirst)
{
    std::vector<int> redrawnAt;
    for (int n = 1; n <= 43; ++n)
        if (nav.positionArrived())
            redrawnAt.push_back(n);
    EXPECT_EQ(redrawnAt, (std::vector<int>{1, 22, 43}));
}

TEST_F(Navigation, DirectTargetIsKeptAsItsLabelsShowIt)
{
    struct Case
    {
        GeoPos picked;
        const char *latText, *lonText;
        GeoPos target; // what the navigation steers to
    };
    const Case cases[] = {
        {{48.25, 9.5}, "48.150", "9.300", {48.25, 9.5}},
        {{48.2504, 9.50004}, "48.150", "9.300", {48.25, 9.5}}, // three decimals of DD.MM
        {{0.5, -0.5}, ".300", "-.300", {0.5, -0.5}},           // no digit before the point
    };
    tvtest::RouteData data; // an open, empty point set: the navigation may run
    nav.refillRoutes(*data.db);
    nav.startDirectFlight();
    EXPECT_FALSE(nav.target()) << "nothing picked yet";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.latText);
        nav.pickDirectTarget(c.picked);
        ASSERT_TRUE(nav.directTarget());
        EXPECT_EQ(nav.directTarget()->latText, c.latText);
        EXPECT_EQ(nav.directTarget()->lonText, c.lonText);
        ASSERT_TRUE(nav.target());
        EXPECT_TRUE(nav.target()->key.direct);
        EXPECT_NEAR(nav.target()->position.latDeg, c.target.latDeg, 1e-9);
        EXPECT_NEAR(nav.target()->position.lonDeg, c.target.lonDeg, 1e-9);
    }
}

TEST_F(Navigation, FiguresToTheTargetAndAlongTheRoute)
{
    tvtest::RouteData data;
    const int64_t route = data.addRoute("North", 1);
    for (int i = 1; i <= 3; ++i) // 48°10', 48°20', 48°30' at 11°30'
        data.addPoint(route, i, "P" + std::to_string(i), 48.0 + i * 0.10, 11.30);
    nav.refillRoutes(*data.db);
    ASSERT_TRUE(nav.startNavigation());
    const QTime noon(12, 0);
    const auto at = [&](double nmSouthOfP1) {
        receive(tvtest::nmea("GPRMC,120000,A," +
                             tvtest::nmeaPosition(48.0 + (10.0 - nmSouthOfP1) / 60.0, 11.5) +
                             ",059.0,,,,")); // 59 kt
    };

    at(5.0);
    EXPECT_EQ(nav.updateTarget(*nav.target(), noon), FlightNavigation::TargetUpdate::Computed);
    EXPECT_EQ(nav.figures().distance, "5.0 NM");
    EXPECT_EQ(nav.figures().course, "360 °");
    EXPECT_EQ(nav.figures().time, "00:05");
    ASSERT_TRUE(nav.updateRouteFigures());
    EXPECT_EQ(nav.figures().routeLength, "20");
    EXPECT_EQ(nav.figures().remaining, "25.0 NM") << "the rest of the route plus the target";
    receive(tvtest::fixStatus(false));
    nav.updateRouteFigures();
    EXPECT_EQ(nav.figures().remaining, "20.0 NM") << "without a fix: the legs after the target";

    // The receiver falls silent: the figures show "---" until a new position.
    receive(tvtest::fixStatus(true));
    nav.clearDisplays();
    nav.signalLost();
    EXPECT_EQ(nav.figures().distance, "---");
    EXPECT_EQ(nav.updateTarget(*nav.target(), noon), FlightNavigation::TargetUpdate::Blanked);
    at(4.0);
    nav.positionArrived();
    EXPECT_EQ(nav.updateTarget(*nav.target(), noon), FlightNavigation::TargetUpdate::Computed);
    EXPECT_EQ(nav.figures().distance, "4.0 NM");

    // Past the point by a little: the next point becomes the target.
    at(-0.2);
    EXPECT_EQ(nav.updateTarget(*nav.target(), noon), FlightNavigation::TargetUpdate::Computed);
    at(-0.3);
    EXPECT_EQ(nav.updateTarget(*nav.target(), noon), FlightNavigation::TargetUpdate::Passed);

    // In a direct flight the remaining distance is the distance to the picked point.
    nav.startDirectFlight();
    nav.clearTargetFigures();
    EXPECT_EQ(nav.figures().distance, "");
    nav.pickDirectTarget({48.5, 11.5});
    nav.updateTarget(*nav.target(), noon);
    nav.updateRouteFigures();
    EXPECT_EQ(nav.figures().remaining, nav.figures().distance);
    EXPECT_EQ(nav.figures().distance, "19.7 NM");
}

} // namespace
