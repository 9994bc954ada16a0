#include "tools/DemoFlight.h"
#include "core/GeoMath.h"
#include "gps/VB6NmeaInterpreter.h"
#include "support/GermanLocale.h"
#include "tools/DemoData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace tv::demo;

std::vector<GeoPoint> demoRoute()
{
    std::vector<GeoPoint> route;
    for (const DemoWaypoint& w : demoRoutePoints())
        route.push_back({tv::DDMMToDegrees(w.latDDMM), tv::DDMMToDegrees(w.lonDDMM)});
    return route;
}

// ddmm.mmmm + hemisphere, as the interpreter hands them on.
double rawToDegrees(const std::string& raw, int degreeDigits)
{
    const double deg = std::stod(raw.substr(0, degreeDigits));
    const double min = std::stod(raw.substr(degreeDigits));
    return deg + min / 60.0;
}

struct Recorder : tv::NmeaEvents
{
    std::vector<GeoPoint> positions;
    std::vector<double> speeds;
    int fixObtained = 0;
    int fixLost = 0;
    int satellites = 0;

    void PositionReceived(const std::string& lat, const std::string& lon, const std::string& latraw,
                          const std::string& longraw) override
    {
        double la = rawToDegrees(latraw, 2);
        double lo = rawToDegrees(longraw, 3);
        if (lat.rfind("S", 0) == 0)
            la = -la;
        if (lon.rfind("W", 0) == 0)
            lo = -lo;
        positions.push_back({la, lo});
    }
    void SpeedReceived(const std::string& s) override { speeds.push_back(std::stod(s)); }
    void FixObtained() override { ++fixObtained; }
    void FixLost() override { ++fixLost; }
    void SatelliteReceived(int16_t, int16_t, int16_t, int16_t, int16_t) override { ++satellites; }
};

// Every line of a burst, without its CR LF; fails the test on a line not ended by CR LF.
std::vector<std::string> lines(const std::string& burst)
{
    std::vector<std::string> out;
    size_t from = 0;
    while (from < burst.size()) {
        const size_t end = burst.find("\r\n", from);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unterminated line: " << burst.substr(from);
            break;
        }
        out.push_back(burst.substr(from, end - from));
        from = end + 2;
    }
    return out;
}

// Where p lies relative to the route, on a local flat projection (the legs are a few tens of
// miles long): its distance in NM from the nearest leg, and how far along the route (NM) the
// foot of that distance lies.
struct RoutePlace
{
    double offNm = 1e9;
    double alongNm = 0;
};
RoutePlace placeOnRoute(GeoPoint p, const std::vector<GeoPoint>& route)
{
    const double k = std::cos(p.latDeg * M_PI / 180.0);
    RoutePlace best;
    double legStart = 0;
    for (size_t i = 0; i + 1 < route.size(); ++i) {
        const double ax = route[i].lonDeg * k * 60, ay = route[i].latDeg * 60;
        const double bx = route[i + 1].lonDeg * k * 60, by = route[i + 1].latDeg * 60;
        const double px = p.lonDeg * k * 60, py = p.latDeg * 60;
        const double dx = bx - ax, dy = by - ay;
        const double t =
            std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        const double off = std::hypot(px - (ax + t * dx), py - (ay + t * dy));
        const double legNm = std::hypot(dx, dy);
        if (off < best.offNm)
            best = {off, legStart + t * legNm};
        legStart += legNm;
    }
    return best;
}

struct FlownFlight
{
    Recorder events;
    int sentences = 0;
    int refused = 0;
};

FlownFlight fly(const std::vector<GeoPoint>& route, FlightProfile profile)
{
    FlownFlight f;
    tv::VB6NmeaInterpreter gps;
    gps.setEvents(&f.events);
    DemoFlight flight(route, profile);
    const std::time_t start = 1700000000;
    while (!flight.finished()) {
        const FlightState s = flight.next();
        for (const std::string& line : lines(nmeaBurst(s, start + s.second))) {
            ++f.sentences;
            if (!gps.Parse(line)) {
                ++f.refused;
                ADD_FAILURE() << "refused: " << line;
            }
        }
    }
    return f;
}

TEST(DemoFlightSentences, EveryLineOfTheWholeFlightPassesTheInterpreter)
{
    const FlownFlight f = fly(demoRoute(), {});
    EXPECT_GT(f.sentences, 1000);
    EXPECT_EQ(f.refused, 0);
    // The receiver starts without a fix and gets one.
    EXPECT_GT(f.events.fixObtained, 0);
    EXPECT_GT(f.events.satellites, 0);
}

TEST(DemoFlightSentences, PositionsFollowTheRouteFromFirstToLastPoint)
{
    const std::vector<GeoPoint> route = demoRoute();
    const FlownFlight f = fly(route, {});
    const auto& pos = f.events.positions;
    ASSERT_GT(pos.size(), 100u);
    // 1/10000 minute in the sentences is about 0.2 m: the fix lands exactly on the points.
    EXPECT_LT(distanceNm(pos.front(), route.front()), 0.001);
    EXPECT_LT(distanceNm(pos.back(), route.back()), 0.001);
    double worst = 0;
    double along = 0;
    for (const GeoPoint& p : pos) {
        const RoutePlace place = placeOnRoute(p, route);
        worst = std::max(worst, place.offNm);
        // Always forwards along the route.
        EXPECT_GE(place.alongNm, along - 0.01);
        along = std::max(along, place.alongNm);
    }
    EXPECT_LT(worst, 0.2) << "the flight strays from the route";
}

TEST(DemoFlightSentences, SpeedClimbsToCruiseAndComesBackToZeroOnTheLastPoint)
{
    FlightProfile profile;
    profile.cruiseKt = 120;
    const FlownFlight f = fly(demoRoute(), profile);
    const auto& v = f.events.speeds;
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(v.front(), 0.0);
    EXPECT_EQ(v.back(), 0.0);
    EXPECT_EQ(*std::max_element(v.begin(), v.end()), 120.0);
    // Passes 30 kt on the way up, where automatic track recording starts.
    EXPECT_NE(std::find_if(v.begin(), v.end(), [](double s) { return s > 25 && s < 35; }), v.end());
}

TEST(DemoFlightSentences, CourseOnTheFirstLegPointsToTheSecondPoint)
{
    const std::vector<GeoPoint> route = demoRoute();
    DemoFlight flight(route);
    FlightState s;
    do {
        s = flight.next();
    } while (s.speedKt < 100 && !flight.finished());
    EXPECT_NEAR(s.courseDeg, courseDeg(route[0], route[1]), 0.5);
    EXPECT_NEAR(s.altitudeFt,
                FlightProfile{}.startElevationFt +
                    FlightProfile{}.climbFtPerMin / 60 * (s.second - 8 - 15),
                300);
}

TEST(DemoFlightLength, EndsAfterTheRouteAtAnySpeed)
{
    const std::vector<GeoPoint> route{{48.0, 9.0}, {48.0, 9.02}}; // about 0.8 NM
    for (double kt : {10.0, 100.0, 1000.0}) {
        FlightProfile profile;
        profile.cruiseKt = kt;
        DemoFlight flight(route, profile);
        int seconds = 0;
        while (!flight.finished() && seconds < 100000) {
            flight.next();
            ++seconds;
        }
        EXPECT_TRUE(flight.finished()) << kt << " kt";
        // Standing time plus the route at no less than the creeping speed.
        EXPECT_LT(seconds, 8 + 5 + 0.8 / 3.0 * 3600 + 10) << kt << " kt";
    }
}

TEST(DemoFlightLength, DemoRouteAtHundredKnotsTakesAboutItsLengthInTime)
{
    DemoFlight flight(demoRoute());
    int seconds = 0;
    while (!flight.finished()) {
        flight.next();
        ++seconds;
    }
    const double cruiseSeconds = flight.routeLengthNm() / 100.0 * 3600.0;
    EXPECT_GT(seconds, cruiseSeconds);
    EXPECT_LT(seconds, cruiseSeconds + 120);
}

TEST(DemoFlightLength, RouteWithoutTwoDifferentPointsIsRefused)
{
    EXPECT_THROW(DemoFlight({{48.0, 9.0}}), std::invalid_argument);
    EXPECT_THROW(DemoFlight({{48.0, 9.0}, {48.0, 9.0}}), std::invalid_argument);
    EXPECT_THROW(DemoFlight({{48.0, 9.0}, {NAN, 9.0}}), std::invalid_argument);
    FlightProfile stopped;
    stopped.cruiseKt = 0;
    EXPECT_THROW(DemoFlight({{48.0, 9.0}, {48.1, 9.0}}, stopped), std::invalid_argument);
}

TEST(NmeaText, PositionsInDegreesAndMinutesWithHemisphere)
{
    EXPECT_EQ(nmeaLatitude(48.5), "4830.0000,N");
    EXPECT_EQ(nmeaLongitude(9.0), "00900.0000,E");
    EXPECT_EQ(nmeaLatitude(-33.25), "3315.0000,S");
    EXPECT_EQ(nmeaLongitude(-7.5), "00730.0000,W");
    EXPECT_EQ(nmeaLongitude(-122.0), "12200.0000,W");
    // Minutes that round up to 60 carry into the degrees.
    EXPECT_EQ(nmeaLatitude(48.999999999), "4900.0000,N");
}

TEST(NmeaText, ChecksumIsTheXorOfTheBodyInUpperCaseHex)
{
    EXPECT_EQ(nmeaChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"), "47");
    EXPECT_EQ(nmeaChecksum("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"),
              "6A");
    EXPECT_EQ(nmeaSentence("GPGLL,4916.45,N,12311.12,W,225444,A"),
              "$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n");
}

TEST(NmeaText, TimeAndDateAreUtc)
{
    FlightState s;
    s.latDeg = 48.5;
    s.lonDeg = 9.5;
    const std::string burst = nmeaBurst(s, 0); // 1 January 1970, midnight
    EXPECT_EQ(burst.rfind("$GPRMC,000000.00,A,4830.0000,N,00930.0000,E,000.0,000.0,010170,", 0), 0u)
        << burst;
}

TEST(NmeaText, NumbersUseAPointWhateverTheLocale)
{
    FlightState s;
    s.latDeg = 48.5;
    s.lonDeg = 9.5;
    s.speedKt = 97.5;
    s.altitudeFt = 3500;
    std::string burst;
    {
        const tvtest::GermanCLocale german(LC_NUMERIC);
        ASSERT_TRUE(german.active()) << tvtest::kGermanLocaleMissing;
        burst = nmeaBurst(s, 0);
    }
    EXPECT_NE(burst.find(",097.5,"), std::string::npos) << burst;
    EXPECT_NE(burst.find(",1066.8,M,"), std::string::npos) << burst;
}

} // namespace
