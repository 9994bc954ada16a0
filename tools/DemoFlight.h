#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// A demo flight along a route, as a GPS receiver reports it: one burst of NMEA 0183 sentences
// per second ($GPRMC, $GPGGA, $GPGSA and the $GPGSV set), every line ended by CR LF.
//
// The flight: a few seconds standing at the first point (at first without a fix), a take-off
// run that accelerates to the cruise speed, a climb to the cruise altitude, the route leg by
// leg, a descent timed to reach the last point's field elevation, a slow-down to a stop on the
// last point, and a few seconds standing there. Then it is finished: the flight always ends.
namespace tv::demo {

// A route point in decimal degrees, south and west negative.
struct GeoPoint
{
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

struct FlightProfile
{
    double cruiseKt = 100.0;
    double accelerationKtPerS = 4.0;  // also the braking at the end
    int holdStartS = 8;               // standing at the start (the first noFixS without fix)
    int noFixS = 3;                   // seconds at the start before the receiver has a fix
    int holdEndS = 5;                 // standing at the end
    double startElevationFt = 1300.0; // field elevation at the first point
    double endElevationFt = 1500.0;   // and at the last
    double cruiseAltitudeFt = 3500.0;
    double climbFtPerMin = 700.0;
    double descentFtPerMin = 500.0;
};

// Where the aircraft is in one second of the flight.
struct FlightState
{
    int second = 0;  // since the start of the flight
    bool fix = true; // false: the receiver has no fix yet (no position, no speed)
    double latDeg = 0.0;
    double lonDeg = 0.0;
    double speedKt = 0.0;
    double courseDeg = 0.0; // true, 0..360, towards the next route point
    double altitudeFt = 0.0;
};

// Great-circle distance in NM on the sphere on which one minute of arc is one NM.
double distanceNm(GeoPoint a, GeoPoint b);
// Initial true course from a to b, degrees 0..360.
double courseDeg(GeoPoint a, GeoPoint b);

class DemoFlight
{
public:
    // Throws std::invalid_argument for a route of fewer than two distinct points or a
    // cruise speed that is not a positive number (up to 1000 kt).
    DemoFlight(std::vector<GeoPoint> route, FlightProfile profile = {});

    double routeLengthNm() const { return totalNm_; }
    bool finished() const { return finished_; }
    // The state of the current second, then one second on. After the last state finished()
    // is true; calling it again repeats the last state.
    FlightState next();

private:
    GeoPoint pointAt(double alongNm, double& legCourse) const;
    double altitudeFt(double alongNm) const;

    std::vector<GeoPoint> route_;
    std::vector<double> legStartNm_; // distance along the route at the start of each leg
    FlightProfile profile_;
    double totalNm_ = 0.0;

    int second_ = 0;
    double alongNm_ = 0.0;
    double speedKt_ = 0.0;
    int rollStartS_ = -1; // second the take-off run began
    int arrivedS_ = -1;   // second the aircraft stopped on the last point
    double lastCourse_ = 0.0;
    FlightState last_;
    bool finished_ = false;
};

// The checksum of a sentence body (the text between "$" and "*"): the XOR of its
// characters as two upper-case hexadecimal digits ("6A").
std::string nmeaChecksum(std::string_view body);
// "$" + body + "*" + checksum + CR LF.
std::string nmeaSentence(std::string_view body);

// "ddmm.mmmm,N" and "dddmm.mmmm,E" (four decimals of minutes, hemisphere after the comma).
std::string nmeaLatitude(double latDeg);
std::string nmeaLongitude(double lonDeg);

// The sentences of one second: $GPRMC, $GPGGA, $GPGSA and two $GPGSV for eight satellites,
// stamped with `utc` (seconds since 1970, UTC).
std::string nmeaBurst(const FlightState& state, std::time_t utc);

} // namespace tv::demo
