#include "tools/DemoFlight.h"

#include "core/Units.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace tv::demo {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Slowest speed while rolling, knots, so that braking towards the last point always arrives.
constexpr double kCreepKt = 3.0;
// Seconds of the take-off run before the climb begins.
constexpr int kTakeOffRunS = 15;

double rad(double deg)
{
    return deg * kPi / 180.0;
}

// Fixed-point text with "." whatever the locale, zero-padded on the left to `width`.
std::string fixed(double value, int decimals, int width = 0)
{
    std::array<char, 64> buf{};
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                         std::chars_format::fixed, decimals);
    std::string text = ec == std::errc() ? std::string(buf.data(), end) : std::string("0");
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.erase(0, 1);
    if (static_cast<int>(text.size()) < width - (negative ? 1 : 0))
        text.insert(0, static_cast<size_t>(width - (negative ? 1 : 0)) - text.size(), '0');
    return negative ? "-" + text : text;
}

std::string twoDigits(int value)
{
    return fixed(value, 0, 2);
}

// ddmm.mmmm / dddmm.mmmm: minutes are rounded as a whole (in units of 1/10000 minute) so that
// 59.99999' becomes the next degree, never "60.0000".
std::string angle(double deg, int degreeDigits, char positive, char negative)
{
    const auto units = static_cast<int64_t>(std::llround(std::fabs(deg) * 60.0 * 10000.0));
    const int64_t degrees = units / 600000;
    const int64_t minuteUnits = units % 600000;
    std::string text = fixed(static_cast<double>(degrees), 0, degreeDigits);
    text += fixed(static_cast<double>(minuteUnits) / 10000.0, 4, 7);
    text += ',';
    text += deg < 0 ? negative : positive;
    return text;
}

struct Satellite
{
    int prn;
    int elevationDeg;
    int azimuthDeg;
    int snrDb;
    bool used;
};

constexpr std::array<Satellite, 8> kSatellites{{
    {5, 40, 83, 46, true},
    {7, 17, 311, 40, true},
    {13, 62, 219, 44, true},
    {15, 28, 155, 42, true},
    {18, 12, 45, 35, true},
    {21, 55, 290, 45, true},
    {24, 8, 120, 30, false},
    {30, 33, 20, 41, true},
}};

} // namespace

double distanceNm(GeoPoint a, GeoPoint b)
{
    const double dLat = rad(b.latDeg - a.latDeg);
    const double dLon = rad(b.lonDeg - a.lonDeg);
    const double h =
        std::sin(dLat / 2) * std::sin(dLat / 2) +
        std::cos(rad(a.latDeg)) * std::cos(rad(b.latDeg)) * std::sin(dLon / 2) * std::sin(dLon / 2);
    const double central = 2.0 * std::asin(std::min(1.0, std::sqrt(h)));
    return central * 180.0 / kPi * 60.0;
}

double courseDeg(GeoPoint a, GeoPoint b)
{
    const double dLon = rad(b.lonDeg - a.lonDeg);
    const double y = std::sin(dLon) * std::cos(rad(b.latDeg));
    const double x = std::cos(rad(a.latDeg)) * std::sin(rad(b.latDeg)) -
                     std::sin(rad(a.latDeg)) * std::cos(rad(b.latDeg)) * std::cos(dLon);
    double c = std::atan2(y, x) * 180.0 / kPi;
    if (c < 0)
        c += 360.0;
    return c >= 360.0 ? c - 360.0 : c;
}

DemoFlight::DemoFlight(std::vector<GeoPoint> route, FlightProfile profile) : profile_(profile)
{
    if (!std::isfinite(profile_.cruiseKt) || profile_.cruiseKt <= 0.0 || profile_.cruiseKt > 1000)
        throw std::invalid_argument("the cruise speed must be above 0 and at most 1000 kt");
    profile_.accelerationKtPerS = std::max(profile_.accelerationKtPerS, 0.5);
    profile_.holdStartS = std::clamp(profile_.holdStartS, 0, 3600);
    profile_.holdEndS = std::clamp(profile_.holdEndS, 0, 3600);
    profile_.noFixS = std::clamp(profile_.noFixS, 0, profile_.holdStartS);

    for (const GeoPoint& p : route) {
        if (!std::isfinite(p.latDeg) || !std::isfinite(p.lonDeg) || std::fabs(p.latDeg) > 89.0 ||
            std::fabs(p.lonDeg) > 180.0)
            throw std::invalid_argument("a route point lies outside the earth's coordinates");
        // Points repeated one after the other make no leg.
        if (!route_.empty() && distanceNm(route_.back(), p) < 1e-6)
            continue;
        route_.push_back(p);
    }
    if (route_.size() < 2)
        throw std::invalid_argument("the route needs at least two different points");
    for (size_t i = 0; i + 1 < route_.size(); ++i) {
        legStartNm_.push_back(totalNm_);
        totalNm_ += distanceNm(route_[i], route_[i + 1]);
    }
    lastCourse_ = courseDeg(route_[0], route_[1]);
}

GeoPoint DemoFlight::pointAt(double alongNm, double& legCourse) const
{
    size_t leg = 0;
    while (leg + 1 < legStartNm_.size() && alongNm >= legStartNm_[leg + 1])
        ++leg;
    const GeoPoint& a = route_[leg];
    const GeoPoint& b = route_[leg + 1];
    const double legNm =
        (leg + 1 < legStartNm_.size() ? legStartNm_[leg + 1] : totalNm_) - legStartNm_[leg];
    const double f = legNm > 0 ? std::clamp((alongNm - legStartNm_[leg]) / legNm, 0.0, 1.0) : 1.0;
    const GeoPoint here{a.latDeg + (b.latDeg - a.latDeg) * f, a.lonDeg + (b.lonDeg - a.lonDeg) * f};
    if (f < 1.0)
        legCourse = courseDeg(here, b);
    return here;
}

double DemoFlight::altitudeFt(double alongNm) const
{
    if (rollStartS_ < 0)
        return profile_.startElevationFt;
    const double climbed =
        profile_.startElevationFt +
        profile_.climbFtPerMin / 60.0 * std::max(0, second_ - rollStartS_ - kTakeOffRunS);
    // Descend so as to reach the last field at the end: the height above it is allowed to be
    // what the descent rate takes off in the time left at cruise speed.
    const double secondsLeft = (totalNm_ - alongNm) / profile_.cruiseKt * 3600.0;
    const double descentCap =
        profile_.endElevationFt + profile_.descentFtPerMin / 60.0 * secondsLeft;
    return std::min({climbed, profile_.cruiseAltitudeFt, descentCap});
}

FlightState DemoFlight::next()
{
    if (finished_)
        return last_;

    FlightState s;
    s.second = second_;
    s.fix = second_ >= profile_.noFixS;
    double course = lastCourse_;
    const GeoPoint here = pointAt(alongNm_, course);
    lastCourse_ = course;
    s.latDeg = here.latDeg;
    s.lonDeg = here.lonDeg;
    s.speedKt = speedKt_;
    s.courseDeg = course;
    s.altitudeFt = altitudeFt(alongNm_);
    last_ = s;

    if (arrivedS_ >= 0 && second_ >= arrivedS_ + profile_.holdEndS) {
        finished_ = true;
        return s;
    }

    // One second on.
    if (second_ + 1 >= profile_.holdStartS && arrivedS_ < 0) {
        if (rollStartS_ < 0)
            rollStartS_ = second_;
        const double remainingNm = totalNm_ - alongNm_;
        // Braking distance at speed v and deceleration a (kt/s) is v^2 / (7200 a) NM.
        const double brakeKt = std::sqrt(7200.0 * profile_.accelerationKtPerS * remainingNm);
        double v = std::min({profile_.cruiseKt, speedKt_ + profile_.accelerationKtPerS, brakeKt});
        v = std::max(v, kCreepKt);
        alongNm_ += (speedKt_ + v) / 2.0 / 3600.0;
        speedKt_ = v;
        if (alongNm_ >= totalNm_ - 1e-9) {
            alongNm_ = totalNm_;
            speedKt_ = 0.0;
            arrivedS_ = second_ + 1;
        }
    }
    ++second_;
    return s;
}

std::string nmeaChecksum(std::string_view body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    const char* digits = "0123456789ABCDEF";
    return {digits[sum >> 4], digits[sum & 0x0F]};
}

std::string nmeaSentence(std::string_view body)
{
    std::string s;
    s.reserve(body.size() + 6);
    s += '$';
    s += body;
    s += '*';
    s += nmeaChecksum(body);
    s += "\r\n";
    return s;
}

std::string nmeaLatitude(double latDeg)
{
    return angle(latDeg, 2, 'N', 'S');
}

std::string nmeaLongitude(double lonDeg)
{
    return angle(lonDeg, 3, 'E', 'W');
}

std::string nmeaBurst(const FlightState& state, std::time_t utc)
{
    std::tm t{};
    gmtime_r(&utc, &t);
    const std::string time =
        twoDigits(t.tm_hour) + twoDigits(t.tm_min) + twoDigits(t.tm_sec) + ".00";
    const std::string date =
        twoDigits(t.tm_mday) + twoDigits(t.tm_mon + 1) + twoDigits(t.tm_year % 100);
    const std::string position =
        state.fix ? nmeaLatitude(state.latDeg) + "," + nmeaLongitude(state.lonDeg) : ",,,";

    std::string burst;
    burst += nmeaSentence("GPRMC," + time + (state.fix ? ",A," : ",V,") + position + "," +
                          (state.fix ? fixed(state.speedKt, 1, 5) : "") + "," +
                          (state.fix ? fixed(state.courseDeg, 1, 5) : "") + "," + date + ",,," +
                          (state.fix ? "A" : "N"));
    burst +=
        nmeaSentence("GPGGA," + time + "," + position + (state.fix ? ",1,07,0.9," : ",0,00,,") +
                     (state.fix ? fixed(state.altitudeFt / kFeetPerMetre, 1) : "") + ",M,47.9,M,,");

    std::string gsa = state.fix ? "GPGSA,A,3" : "GPGSA,A,1";
    int channels = 0;
    for (const Satellite& sat : kSatellites) {
        if (sat.used && state.fix) {
            gsa += "," + twoDigits(sat.prn);
            ++channels;
        }
    }
    for (; channels < 12; ++channels)
        gsa += ",";
    gsa += state.fix ? ",1.6,0.9,1.3" : ",,,";
    burst += nmeaSentence(gsa);

    // Signal strength wanders a little from second to second.
    const int messages = static_cast<int>((kSatellites.size() + 3) / 4);
    for (int m = 0; m < messages; ++m) {
        std::string gsv = "GPGSV," + std::to_string(messages) + "," + std::to_string(m + 1) + "," +
                          twoDigits(static_cast<int>(kSatellites.size()));
        for (size_t i = static_cast<size_t>(m) * 4; i < kSatellites.size() && i < (m + 1) * 4u;
             ++i) {
            const Satellite& sat = kSatellites[i];
            const int snr = sat.snrDb + (state.second * 7 + sat.prn) % 5 - 2;
            gsv += "," + twoDigits(sat.prn) + "," + twoDigits(sat.elevationDeg) + "," +
                   fixed(sat.azimuthDeg, 0, 3) + "," + twoDigits(snr);
        }
        burst += nmeaSentence(gsv);
    }
    return burst;
}

} // namespace tv::demo
