#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// What the interpreter reports. A subscriber derives from this class and overrides the events it
// wants; the others do nothing. Texts are the sentence's own characters (no trimming, no case
// change) unless said otherwise; texts with a degree sign are UTF-8. Integers are 16-bit signed.
class NmeaEvents
{
public:
    virtual ~NmeaEvents() = default;

    // Texts like "N 48° 07.038'" and "E 011° 31.000'" (hemisphere first, minutes with the
    // decimals the receiver sent), then the raw fields ddmm.mmmm and dddmm.mmmm.
    virtual void PositionReceived(const std::string& /*latitude*/, const std::string& /*longitude*/,
                                  const std::string& /*latraw*/, const std::string& /*longraw*/)
    {
    }
    // "hh:mm:ss", UTC, fractions of seconds dropped.
    virtual void TimeChanged(const std::string& /*Time*/) {}
    // "dd/mm/yy".
    virtual void DateChanged(const std::string& /*satDate*/) {}
    // Course over ground, degrees true, as sent ("084.4").
    virtual void BearingReceived(const std::string& /*bearing*/) {}
    // Speed over ground, knots, as sent ("022.4").
    virtual void SpeedReceived(const std::string& /*Speed*/) {}
    virtual void FixObtained() {}
    virtual void FixLost() {}
    // Elevation and azimuth in degrees, signal-to-noise ratio in dB; note azimuth comes first.
    virtual void SatelliteReceived(int16_t /*satelliteNumber*/, int16_t /*pseudoRandomCode*/,
                                   int16_t /*azimuth*/, int16_t /*elevation*/,
                                   int16_t /*signalToNoiseRatio*/)
    {
    }
    virtual void HDOPReceived(double /*value*/) {}
    virtual void VDOPReceived(double /*value*/) {}
    virtual void PDOPReceived(double /*value*/) {}
    // "Valid SPS", "Valid DGPS", "Valid PPS" or "Invalid".
    virtual void PositionFixReceived(const std::string& /*positionFix*/) {}
    virtual void SatellitesUsedReceived(int16_t /*satellitesUsed*/) {}
    // Altitude above mean sea level as sent ("545.4"), in the units of the next event ("M").
    virtual void AltitudeReceived(const std::string& /*altitude*/) {}
    virtual void AltitudeUnitsReceived(const std::string& /*altitudeUnits*/) {}
    virtual void GeoidSeparationReceived(double /*geoidSeparation*/) {}
    virtual void GeoidSeparationUnitsReceived(const std::string& /*geoidSeparationUnits*/) {}
    // Seconds since the last differential correction.
    virtual void DGPSageReceived(int16_t /*dGPSage*/) {}
    virtual void DGPSstationIDReceived(const std::string& /*dGPSstationID*/) {}
    // "Auto 2D/3D", "Forced 2D/3D" or "Unknown".
    virtual void AutoManModeReceived(const std::string& /*autoManMode*/) {}
    // "2D", "3D" or "No Fix".
    virtual void Mode3DReceived(const std::string& /*mode3D*/) {}
    // Satellite used on receiver channel n, 0 when the channel is unused.
    virtual void Ch1SatReceived(int16_t /*ch1Sat*/) {}
    virtual void Ch2SatReceived(int16_t /*ch2Sat*/) {}
    virtual void Ch3SatReceived(int16_t /*ch3Sat*/) {}
    virtual void Ch4SatReceived(int16_t /*ch4Sat*/) {}
    virtual void Ch5SatReceived(int16_t /*ch5Sat*/) {}
    virtual void Ch6SatReceived(int16_t /*ch6Sat*/) {}
    virtual void Ch7SatReceived(int16_t /*ch7Sat*/) {}
    virtual void Ch8SatReceived(int16_t /*ch8Sat*/) {}
    virtual void Ch9SatReceived(int16_t /*ch9Sat*/) {}
    virtual void Ch10SatReceived(int16_t /*ch10Sat*/) {}
    virtual void Ch11SatReceived(int16_t /*ch11Sat*/) {}
    virtual void Ch12SatReceived(int16_t /*ch12Sat*/) {}
    virtual void SatellitesInViewReceived(int16_t /*satellitesInView*/) {}
};

// Checks one NMEA 0183 sentence at a time and reports its contents to the subscriber. Accepted
// are $GPGGA, $GPGLL, $GPGSA, $GPGSV and $GPRMC from the GPS talker only; the identifier is
// compared case-sensitively.
//
// The caller hands over one complete line without its line end and without surrounding blanks:
// the checksum is compared with the last two characters of the text, upper-case hexadecimal
// digits only, so a trailing CR or blank makes the sentence fail.
//
// Parse never throws and never reads outside the text, whatever bytes arrive: missing fields
// count as empty, a numeric field that is no number counts as empty (see NmeaNumbers.h), short
// fields give short texts. Exceptions thrown by a subscriber's handler pass through unchanged;
// handlers must not throw, nor call Parse of the same interpreter.
class VB6NmeaInterpreter
{
public:
    VB6NmeaInterpreter();

    // The subscriber stays owned by the caller and must outlive its use here; nullptr (the
    // start) means nobody listens and Parse only updates the interpreter's own state.
    void setEvents(NmeaEvents* events);

    // False (and no event, no change of state) when the checksum fails or the identifier is not
    // accepted; otherwise the events of the sentence are raised before it returns True.
    bool Parse(const std::string& sentence);

private:
    static bool IsValid(std::string_view sentence);
    void GetWords(std::string_view sentence);
    std::string_view word(std::size_t index) const;
    bool nonEmpty(std::size_t index) const;

    void ParseGPGGA();
    void ParseGPGLL();
    void ParseGPGSA();
    void ParseGPGSV();
    void ParseGPRMC();

    void ParseTime(std::string_view t);
    void ParseDate(std::string_view d);
    void ParsePosition(std::string_view lat, std::string_view ns, std::string_view lon,
                       std::string_view ew);
    void ParseFixQuality(std::string_view q);
    void ParseFixStatus(std::string_view s);
    void ParseAutoManMode(std::string_view m);
    void ParseMode3D(std::string_view m);

    // Raises a text event with a field's characters, copied into reused storage.
    const std::string& text(std::string_view field);

    NmeaEvents* events_;

    // Views into the sentence being decoded, only valid during Parse; the vector keeps its
    // capacity so that decoding does not allocate once it has seen the longest sentence.
    std::vector<std::string_view> words_;

    // Last texts built by the field parsers.
    std::string latitudeText_;
    std::string longitudeText_;
    std::string latitudeRaw_;
    std::string longitudeRaw_;
    std::string timeText_;
    std::string dateText_;
    std::string fixQualityText_;
    std::string autoManText_;
    std::string modeText_;
    std::string fieldText_;

    // Last satellite of a $GPGSV sentence.
    int16_t satelliteNumber_ = 0;
    int16_t pseudoRandomCode_ = 0;
    int16_t azimuth_ = 0;
    int16_t elevation_ = 0;
    int16_t signalToNoiseRatio_ = 0;

    // Last values of a $GPGSV sentence. The message number carries over to the next sentence
    // when that one leaves the field empty.
    int16_t messageCount_ = 0;
    int16_t messageNumber_ = 0;
    int16_t satellitesInView_ = 0;
};

} // namespace tv
