#pragma once

// The GPS fix as one typed value, built from the sentence interpreter's events: every reader
// (displays, track recorder, route navigation, map overlay, airspace selection) takes its
// numbers from here instead of reading them back from a caption.
//
// Units: positions decimal degrees (south and west negative), ground speed knots, track degrees
// true 0..360, altitude metres above mean sea level, time and date UTC.
//
// A value is what the displays show: it is set by its sentence while the receiver reports a
// fix, and cleared when its sentence arrives without a fix or when the receiver reports the fix
// lost (the displays then show "---": a receiver without a fix often sends empty fields, and
// figures of the last fix must not stand as if current). An empty field counts as 0, as the
// displays show it. The position is kept through a lost fix (the aircraft stays where it
// was); `hasPosition` says whether the last position sentence came with a fix.

#include "gps/VB6NmeaInterpreter.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace tv {

// What the receiver says about the fix ($GPGGA quality field).
enum class FixQuality { Unknown, Invalid, Sps, Dgps, Pps };

struct GpsFix
{
    // FixObtained / FixLost: the receiver reports a usable fix.
    bool valid = false;
    FixQuality quality = FixQuality::Unknown;

    double latDeg = 0.0;
    double lonDeg = 0.0;
    bool hasPosition = false;
    // Positions received with a fix so far. A reader that noted the count when it last took the
    // position knows by a higher one that a newer position came (a lost fix, silence or
    // unreadable sentences leave it as it is).
    uint64_t positionCount = 0;

    std::optional<double> speedKt;
    std::optional<double> trackDegTrue;
    std::optional<double> altitudeM;

    // "hh:mm:ss" and "dd/mm/yy" as the receiver sent them; empty until the first one.
    std::string utcTime;
    std::string utcDate;
    // The same as numbers; empty when the text is no time of day or no calendar date.
    std::optional<std::chrono::seconds> utcTimeOfDay;
    std::optional<std::chrono::year_month_day> utcDay;

    // Empty until the receiver's first count.
    std::optional<int16_t> satellitesUsed;
    int16_t satellitesInView = 0;

    // When any event last changed this fix (steady clock); empty before the first.
    std::optional<std::chrono::steady_clock::time_point> lastUpdate;
};

// Keeps a GpsFix up to date from the interpreter's events, then hands every event on to
// `next` (the window's handlers), so that they see the fix as it is after the sentence.
class GpsFixBuilder : public NmeaEvents
{
public:
    explicit GpsFixBuilder(NmeaEvents* next = nullptr) : next_(next) {}
    void setNext(NmeaEvents* next) { next_ = next; }

    const GpsFix& fix() const { return fix_; }
    // The displays were cleared (the GPS was switched off): speed, track and altitude are
    // gone until their next sentence; the position and the fix state stay.
    void clearShownValues();
    // The receiver is not heard (the GPS was switched on or off, or fell silent): no fix until
    // it reports one again. Nothing received is cleared and no event is passed on.
    void loseFix();
    // Without a fix the aircraft is shown at this position (decimal degrees) until a position
    // with a fix arrives: where the map opens at the start, or the first point of a route.
    // With a fix nothing changes.
    void placeWithoutFix(double latDeg, double lonDeg);

    void PositionReceived(const std::string& latitude, const std::string& longitude,
                          const std::string& latraw, const std::string& longraw) override;
    void TimeChanged(const std::string& Time) override;
    void DateChanged(const std::string& satDate) override;
    void BearingReceived(const std::string& bearing) override;
    void SpeedReceived(const std::string& Speed) override;
    void FixObtained() override;
    void FixLost() override;
    void PositionFixReceived(const std::string& positionFix) override;
    void SatellitesUsedReceived(int16_t satellitesUsed) override;
    void AltitudeReceived(const std::string& altitude) override;
    void SatellitesInViewReceived(int16_t satellitesInView) override;

    // Passed on unchanged.
    void SatelliteReceived(int16_t satelliteNumber, int16_t pseudoRandomCode, int16_t azimuth,
                           int16_t elevation, int16_t signalToNoiseRatio) override;
    void HDOPReceived(double value) override;
    void VDOPReceived(double value) override;
    void PDOPReceived(double value) override;
    void AltitudeUnitsReceived(const std::string& altitudeUnits) override;
    void GeoidSeparationReceived(double geoidSeparation) override;
    void GeoidSeparationUnitsReceived(const std::string& geoidSeparationUnits) override;
    void DGPSageReceived(int16_t dGPSage) override;
    void DGPSstationIDReceived(const std::string& dGPSstationID) override;
    void AutoManModeReceived(const std::string& autoManMode) override;
    void Mode3DReceived(const std::string& mode3D) override;

private:
    void touched();

    GpsFix fix_;
    NmeaEvents* next_;
};

// The track in whole degrees as the track display shows it (halves to even, 359.5 -> 360);
// 0 when there is none, as an empty display reads.
double shownTrackDeg(const GpsFix& fix);

// The altitude in the unit and the whole numbers the altitude display shows (feet at
// kFeetPerMetre, or metres; halves to even); empty while the display shows "---". Readers that
// work from the displayed altitude (the airspace band) take it from here.
std::optional<double> shownAltitude(const GpsFix& fix, bool feet);
// The ground speed as the speed display shows it: whole knots, or whole km/h (kKmPerNm km/h
// per knot); empty while the display shows "---".
std::optional<double> shownSpeed(const GpsFix& fix, bool knots);

} // namespace tv
