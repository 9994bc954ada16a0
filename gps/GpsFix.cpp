#include "gps/GpsFix.h"

#include "gps/NmeaNumbers.h"
#include "gps/Units.h"

#include <cmath>

namespace tv {
namespace {

// A numeric text of the interpreter; an empty field (or none at all) is 0.
double number(const std::string& text)
{
    return nmeaDouble(text).value_or(0.0);
}

// A raw field ddmm.mmmm (dddmm.mmmm for longitudes) as decimal degrees, negated for the
// southern and western hemispheres (the position text begins with the hemisphere letter).
// The same steps as the DD.MM conversion of the whole program: magnitude converted, sign kept.
double rawToDegrees(const std::string& raw, const std::string& positionText, char negative)
{
    const double ddmm = number(raw) / 100.0;
    const double m = std::fabs(ddmm);
    const double whole = std::floor(m);
    double degrees = (m - whole) * 10.0 / 6.0 + whole;
    if (ddmm < 0)
        degrees = -degrees;
    if (!positionText.empty() && positionText.front() == negative)
        degrees = -degrees;
    return degrees;
}

// "hh:mm:ss" as seconds of the day; empty when it is no time of day.
std::optional<std::chrono::seconds> timeOfDay(const std::string& text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const auto two = [&text](size_t at) -> int {
        const char a = text[at];
        const char b = text[at + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9')
            return -1;
        return (a - '0') * 10 + (b - '0');
    };
    const int h = two(0);
    const int m = two(3);
    const int s = two(6);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return std::nullopt;
    return std::chrono::seconds(h * 3600 + m * 60 + s);
}

// "dd/mm/yy" as a day: years 80-99 are 1980-1999, the others 2000-2079; empty when it is no
// calendar day.
std::optional<std::chrono::year_month_day> calendarDay(const std::string& text)
{
    if (text.size() != 8 || text[2] != '/' || text[5] != '/')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const char a = text[static_cast<size_t>(i * 3)];
        const char b = text[static_cast<size_t>(i * 3 + 1)];
        if (a < '0' || a > '9' || b < '0' || b > '9')
            return std::nullopt;
        parts[i] = (a - '0') * 10 + (b - '0');
    }
    const int year = parts[2] >= 80 ? 1900 + parts[2] : 2000 + parts[2];
    const std::chrono::year_month_day day{std::chrono::year{year},
                                          std::chrono::month{static_cast<unsigned>(parts[1])},
                                          std::chrono::day{static_cast<unsigned>(parts[0])}};
    if (!day.ok())
        return std::nullopt;
    return day;
}

} // namespace

double shownTrackDeg(const GpsFix& fix)
{
    // nearbyint rounds halves to even in the default rounding mode, as the display does.
    return fix.trackDegTrue ? std::nearbyint(*fix.trackDegTrue) : 0.0;
}

std::optional<double> shownAltitude(const GpsFix& fix, bool feet)
{
    if (!fix.altitudeM)
        return std::nullopt;
    return std::nearbyint(feet ? *fix.altitudeM * kFeetPerMetre : *fix.altitudeM);
}

std::optional<double> shownSpeed(const GpsFix& fix, bool knots)
{
    if (!fix.speedKt)
        return std::nullopt;
    return std::nearbyint(knots ? *fix.speedKt : *fix.speedKt * kKmPerNm);
}

void GpsFixBuilder::clearShownValues()
{
    fix_.speedKt.reset();
    fix_.trackDegTrue.reset();
    fix_.altitudeM.reset();
}

void GpsFixBuilder::loseFix()
{
    fix_.valid = false;
}

void GpsFixBuilder::placeWithoutFix(double latDeg, double lonDeg)
{
    if (fix_.valid)
        return;
    fix_.latDeg = latDeg;
    fix_.lonDeg = lonDeg;
    fix_.hasPosition = false;
}

void GpsFixBuilder::touched()
{
    fix_.lastUpdate = std::chrono::steady_clock::now();
}

void GpsFixBuilder::PositionReceived(const std::string& latitude, const std::string& longitude,
                                     const std::string& latraw, const std::string& longraw)
{
    if (fix_.valid) {
        fix_.latDeg = rawToDegrees(latraw, latitude, 'S');
        fix_.lonDeg = rawToDegrees(longraw, longitude, 'W');
        fix_.hasPosition = true;
        ++fix_.positionCount;
    } else {
        fix_.hasPosition = false; // the aircraft stays where it was
    }
    touched();
    if (next_)
        next_->PositionReceived(latitude, longitude, latraw, longraw);
}

void GpsFixBuilder::TimeChanged(const std::string& Time)
{
    fix_.utcTime = Time;
    fix_.utcTimeOfDay = timeOfDay(Time);
    touched();
    if (next_)
        next_->TimeChanged(Time);
}

void GpsFixBuilder::DateChanged(const std::string& satDate)
{
    fix_.utcDate = satDate;
    fix_.utcDay = calendarDay(satDate);
    touched();
    if (next_)
        next_->DateChanged(satDate);
}

void GpsFixBuilder::BearingReceived(const std::string& bearing)
{
    fix_.trackDegTrue = fix_.valid ? std::optional<double>(number(bearing)) : std::nullopt;
    touched();
    if (next_)
        next_->BearingReceived(bearing);
}

void GpsFixBuilder::SpeedReceived(const std::string& Speed)
{
    fix_.speedKt = fix_.valid ? std::optional<double>(number(Speed)) : std::nullopt;
    touched();
    if (next_)
        next_->SpeedReceived(Speed);
}

void GpsFixBuilder::AltitudeReceived(const std::string& altitude)
{
    fix_.altitudeM = fix_.valid ? std::optional<double>(number(altitude)) : std::nullopt;
    touched();
    if (next_)
        next_->AltitudeReceived(altitude);
}

void GpsFixBuilder::FixObtained()
{
    fix_.valid = true;
    touched();
    if (next_)
        next_->FixObtained();
}

void GpsFixBuilder::FixLost()
{
    fix_.valid = false;
    clearShownValues();
    touched();
    if (next_)
        next_->FixLost();
}

void GpsFixBuilder::PositionFixReceived(const std::string& positionFix)
{
    if (positionFix == "Valid SPS")
        fix_.quality = FixQuality::Sps;
    else if (positionFix == "Valid DGPS")
        fix_.quality = FixQuality::Dgps;
    else if (positionFix == "Valid PPS")
        fix_.quality = FixQuality::Pps;
    else if (positionFix == "Invalid")
        fix_.quality = FixQuality::Invalid;
    else
        fix_.quality = FixQuality::Unknown;
    touched();
    if (next_)
        next_->PositionFixReceived(positionFix);
}

void GpsFixBuilder::SatellitesUsedReceived(int16_t satellitesUsed)
{
    fix_.satellitesUsed = satellitesUsed;
    touched();
    if (next_)
        next_->SatellitesUsedReceived(satellitesUsed);
}

void GpsFixBuilder::SatellitesInViewReceived(int16_t satellitesInView)
{
    fix_.satellitesInView = satellitesInView;
    touched();
    if (next_)
        next_->SatellitesInViewReceived(satellitesInView);
}

void GpsFixBuilder::SatelliteReceived(int16_t satelliteNumber, int16_t pseudoRandomCode,
                                      int16_t azimuth, int16_t elevation,
                                      int16_t signalToNoiseRatio)
{
    if (next_)
        next_->SatelliteReceived(satelliteNumber, pseudoRandomCode, azimuth, elevation,
                                 signalToNoiseRatio);
}

void GpsFixBuilder::HDOPReceived(double value)
{
    if (next_)
        next_->HDOPReceived(value);
}

void GpsFixBuilder::VDOPReceived(double value)
{
    if (next_)
        next_->VDOPReceived(value);
}

void GpsFixBuilder::PDOPReceived(double value)
{
    if (next_)
        next_->PDOPReceived(value);
}

void GpsFixBuilder::AltitudeUnitsReceived(const std::string& altitudeUnits)
{
    if (next_)
        next_->AltitudeUnitsReceived(altitudeUnits);
}

void GpsFixBuilder::GeoidSeparationReceived(double geoidSeparation)
{
    if (next_)
        next_->GeoidSeparationReceived(geoidSeparation);
}

void GpsFixBuilder::GeoidSeparationUnitsReceived(const std::string& geoidSeparationUnits)
{
    if (next_)
        next_->GeoidSeparationUnitsReceived(geoidSeparationUnits);
}

void GpsFixBuilder::DGPSageReceived(int16_t dGPSage)
{
    if (next_)
        next_->DGPSageReceived(dGPSage);
}

void GpsFixBuilder::DGPSstationIDReceived(const std::string& dGPSstationID)
{
    if (next_)
        next_->DGPSstationIDReceived(dGPSstationID);
}

void GpsFixBuilder::AutoManModeReceived(const std::string& autoManMode)
{
    if (next_)
        next_->AutoManModeReceived(autoManMode);
}

void GpsFixBuilder::Mode3DReceived(const std::string& mode3D)
{
    if (next_)
        next_->Mode3DReceived(mode3D);
}

} // namespace tv
