#include "gps/VB6NmeaInterpreter.h"

#include "gps/NmeaNumbers.h"

#include <algorithm>
#include <array>

// Sentence formats read here (word 0 is the identifier, fields are counted from 1):
//
//   $GPGGA,hhmmss.ss,ddmm.mmm,N,dddmm.mmm,E,q,nn,hdop,alt,M,geoid,M,dgpsAge,dgpsStation*CS
//   $GPGLL,ddmm.mmm,N,dddmm.mmm,E,hhmmss.ss,A*CS                    (A fix, V no fix)
//   $GPGSA,A,3,s1,s2,...,s12,pdop,hdop,vdop*CS     (A/M selection, 1/2/3 mode, 12 channels)
//   $GPGSV,count,number,inView,{prn,elev,azim,snr} x up to 4*CS
//   $GPRMC,hhmmss.ss,A,ddmm.mmm,N,dddmm.mmm,E,knots,courseTrue,ddmmyy,var,E*CS
//
// CS is the exclusive-or of the characters between "$" and "*", two upper-case hex digits.

namespace tv {

namespace {

// Listens to nothing; stands in while no subscriber is set so the decoders need no checks.
NmeaEvents nobody;

constexpr std::string_view kDegreeSign = "\xC2\xB0"; // UTF-8 of U+00B0

// VB's Mid$(s, start, length) with a 0-based start: shorter or empty near the end, never out of
// range.
void appendMid(std::string& out, std::string_view s, std::size_t start,
               std::size_t length = std::string_view::npos)
{
    if (start < s.size())
        out.append(s.substr(start, length));
}

char hexDigit(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

// The part of the sentence that is split into words: without "*" and the two checksum digits.
std::string_view body(std::string_view sentence)
{
    return sentence.size() > 3 ? sentence.substr(0, sentence.size() - 3) : sentence;
}

} // namespace

VB6NmeaInterpreter::VB6NmeaInterpreter() : events_(&nobody) {}

void VB6NmeaInterpreter::setEvents(NmeaEvents* events)
{
    events_ = events ? events : &nobody;
}

bool VB6NmeaInterpreter::Parse(const std::string& sentence)
{
    if (!IsValid(sentence))
        return false;

    // Identify before splitting so that a rejected sentence leaves the instance as it was.
    const std::string_view data = body(sentence);
    std::size_t idLength = 0;
    while (idLength < data.size() && data[idLength] != ',')
        ++idLength;
    const std::string_view id = data.substr(0, idLength);
    void (VB6NmeaInterpreter::*decoder)() = nullptr;
    if (id == "$GPGGA")
        decoder = &VB6NmeaInterpreter::ParseGPGGA;
    else if (id == "$GPGLL")
        decoder = &VB6NmeaInterpreter::ParseGPGLL;
    else if (id == "$GPGSA")
        decoder = &VB6NmeaInterpreter::ParseGPGSA;
    else if (id == "$GPGSV")
        decoder = &VB6NmeaInterpreter::ParseGPGSV;
    else if (id == "$GPRMC")
        decoder = &VB6NmeaInterpreter::ParseGPRMC;
    else
        return false;

    GetWords(data);
    (this->*decoder)();
    words_.clear(); // the views point into the caller's text
    return true;
}

// The checksum walk skips every "$" (not only the leading one) and stops at the first "*". It
// is compared with the last two characters of the text, so a sentence without "*" is checked
// against its own last two characters, and anything after the digits makes it fail. The walk
// has no length limit.
bool VB6NmeaInterpreter::IsValid(std::string_view sentence)
{
    if (sentence.size() < 2)
        return false;
    const char* const text = sentence.data();
    const std::size_t star = std::min(sentence.find('*'), sentence.size());
    // Every "$" is left out: as a "$" XORed twice cancels, XOR all characters and take "$" out
    // once when their count is odd. No branch per character.
    unsigned char checksum = 0;
    unsigned char oddDollars = 0;
    for (std::size_t i = 0; i < star; ++i) {
        checksum ^= static_cast<unsigned char>(text[i]);
        oddDollars ^= static_cast<unsigned char>(text[i] == '$');
    }
    if (oddDollars)
        checksum ^= static_cast<unsigned char>('$');
    return text[sentence.size() - 2] == hexDigit(checksum >> 4u) &&
           text[sentence.size() - 1] == hexDigit(checksum);
}

// A plain loop rather than find(): the fields are a few characters long, and a library call
// per field costs more than the scan itself.
void VB6NmeaInterpreter::GetWords(std::string_view data)
{
    words_.clear();
    const char* const text = data.data();
    const std::size_t size = data.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == ',') {
            words_.emplace_back(text + start, i - start);
            start = i + 1;
        }
    }
    words_.emplace_back(text + start, size - start);
}

// A word beyond the last one counts as an empty field.
std::string_view VB6NmeaInterpreter::word(std::size_t index) const
{
    return index < words_.size() ? words_[index] : std::string_view();
}

bool VB6NmeaInterpreter::nonEmpty(std::size_t index) const
{
    return !word(index).empty();
}

const std::string& VB6NmeaInterpreter::text(std::string_view field)
{
    fieldText_.assign(field);
    return fieldText_;
}

void VB6NmeaInterpreter::ParseGPGGA()
{
    if (nonEmpty(1))
        ParseTime(word(1));
    if (nonEmpty(2) && nonEmpty(3) && nonEmpty(4) && nonEmpty(5))
        ParsePosition(word(2), word(3), word(4), word(5));
    if (nonEmpty(6))
        ParseFixQuality(word(6));
    if (const auto used = nmeaInteger(word(7)))
        events_->SatellitesUsedReceived(*used);
    if (const auto hdop = nmeaDouble(word(8)))
        events_->HDOPReceived(*hdop);
    if (nonEmpty(9))
        events_->AltitudeReceived(text(word(9)));
    if (nonEmpty(10))
        events_->AltitudeUnitsReceived(text(word(10)));
    if (const auto separation = nmeaDouble(word(11)))
        events_->GeoidSeparationReceived(*separation);
    if (nonEmpty(12))
        events_->GeoidSeparationUnitsReceived(text(word(12)));
    if (const auto age = nmeaInteger(word(13)))
        events_->DGPSageReceived(*age);
    if (nonEmpty(14))
        events_->DGPSstationIDReceived(text(word(14)));
}

void VB6NmeaInterpreter::ParseGPGLL()
{
    if (nonEmpty(1) && nonEmpty(2) && nonEmpty(3) && nonEmpty(4))
        ParsePosition(word(1), word(2), word(3), word(4));
    if (nonEmpty(5))
        ParseTime(word(5));
    if (nonEmpty(6))
        ParseFixStatus(word(6));
}

void VB6NmeaInterpreter::ParseGPGSA()
{
    if (nonEmpty(1))
        ParseAutoManMode(word(1));
    if (nonEmpty(2))
        ParseMode3D(word(2));

    // Every channel is reported, an unused one (empty, missing or no number) with 0.
    static constexpr std::array<void (NmeaEvents::*)(int16_t), 12> kChannels = {
        &NmeaEvents::Ch1SatReceived,  &NmeaEvents::Ch2SatReceived,  &NmeaEvents::Ch3SatReceived,
        &NmeaEvents::Ch4SatReceived,  &NmeaEvents::Ch5SatReceived,  &NmeaEvents::Ch6SatReceived,
        &NmeaEvents::Ch7SatReceived,  &NmeaEvents::Ch8SatReceived,  &NmeaEvents::Ch9SatReceived,
        &NmeaEvents::Ch10SatReceived, &NmeaEvents::Ch11SatReceived, &NmeaEvents::Ch12SatReceived,
    };
    for (std::size_t n = 1; n <= kChannels.size(); ++n)
        (events_->*kChannels[n - 1])(nmeaInteger(word(2 + n)).value_or(0));

    if (const auto pdop = nmeaDouble(word(15)))
        events_->PDOPReceived(*pdop);
    if (const auto hdop = nmeaDouble(word(16)))
        events_->HDOPReceived(*hdop);
    if (const auto vdop = nmeaDouble(word(17)))
        events_->VDOPReceived(*vdop);
}

// Satellites are numbered by their place in the set of messages: message m, record i is
// satellite (m - 1) * 4 + i. A message without its number (empty field) continues from the
// number of the previous message; while no message number was ever read (or it was 0) the
// satellite number stays what it was.
void VB6NmeaInterpreter::ParseGPGSV()
{
    if (const auto count = nmeaInteger(word(1)))
        messageCount_ = *count;
    if (const auto number = nmeaInteger(word(2)))
        messageNumber_ = *number;
    if (const auto inView = nmeaInteger(word(3))) {
        satellitesInView_ = *inView;
        events_->SatellitesInViewReceived(satellitesInView_);
    }

    for (int i = 1; i <= 4; ++i) {
        if (messageNumber_ != 0) {
            const int number = (messageNumber_ - 1) * 4 + i; // int: no 16-bit overflow
            if (number < INT16_MIN || number > INT16_MAX)
                continue; // a corrupted message number: no satellite can carry this number
            satelliteNumber_ = static_cast<int16_t>(number);
        }
        const std::size_t first = 4 * static_cast<std::size_t>(i);
        const auto prn = nmeaInteger(word(first));
        const auto elevation = nmeaInteger(word(first + 1));
        const auto azimuth = nmeaInteger(word(first + 2));
        const auto snr = nmeaInteger(word(first + 3));
        if (!prn || !elevation || !azimuth || !snr)
            continue; // a satellite without signal-to-noise value is not reported
        pseudoRandomCode_ = *prn;
        elevation_ = *elevation;
        azimuth_ = *azimuth;
        signalToNoiseRatio_ = *snr;
        events_->SatelliteReceived(satelliteNumber_, pseudoRandomCode_, azimuth_, elevation_,
                                   signalToNoiseRatio_);
    }
}

void VB6NmeaInterpreter::ParseGPRMC()
{
    if (nonEmpty(1))
        ParseTime(word(1));
    if (nonEmpty(2))
        ParseFixStatus(word(2));
    if (nonEmpty(3) && nonEmpty(4) && nonEmpty(5) && nonEmpty(6))
        ParsePosition(word(3), word(4), word(5), word(6));
    if (nonEmpty(7))
        events_->SpeedReceived(text(word(7)));
    if (nonEmpty(8))
        events_->BearingReceived(text(word(8)));
    if (nonEmpty(9))
        ParseDate(word(9));
    // Magnetic variation and mode are not read.
}

// hhmmss or hhmmss.ss -> hh:mm:ss; a shorter field gives a shorter text.
void VB6NmeaInterpreter::ParseTime(std::string_view t)
{
    timeText_.clear();
    appendMid(timeText_, t, 0, 2);
    timeText_ += ':';
    appendMid(timeText_, t, 2, 2);
    timeText_ += ':';
    appendMid(timeText_, t, 4, 2);
    events_->TimeChanged(timeText_);
}

// ddmmyy -> dd/mm/yy.
void VB6NmeaInterpreter::ParseDate(std::string_view d)
{
    dateText_.clear();
    appendMid(dateText_, d, 0, 2);
    dateText_ += '/';
    appendMid(dateText_, d, 2, 2);
    dateText_ += '/';
    appendMid(dateText_, d, 4, 2);
    events_->DateChanged(dateText_);
}

// 4807.038,N,01131.000,E -> "N 48° 07.038'", "E 011° 31.000'": two degree digits for the
// latitude, three for the longitude, the minutes as sent.
void VB6NmeaInterpreter::ParsePosition(std::string_view lat, std::string_view ns,
                                       std::string_view lon, std::string_view ew)
{
    latitudeText_.assign(ns);
    latitudeText_ += ' ';
    appendMid(latitudeText_, lat, 0, 2);
    latitudeText_ += kDegreeSign;
    latitudeText_ += ' ';
    appendMid(latitudeText_, lat, 2);
    latitudeText_ += '\'';

    longitudeText_.assign(ew);
    longitudeText_ += ' ';
    appendMid(longitudeText_, lon, 0, 3);
    longitudeText_ += kDegreeSign;
    longitudeText_ += ' ';
    appendMid(longitudeText_, lon, 3);
    longitudeText_ += '\'';

    latitudeRaw_.assign(lat);
    longitudeRaw_.assign(lon);
    events_->PositionReceived(latitudeText_, longitudeText_, latitudeRaw_, longitudeRaw_);
}

void VB6NmeaInterpreter::ParseFixQuality(std::string_view q)
{
    if (q == "1")
        fixQualityText_ = "Valid SPS";
    else if (q == "2")
        fixQualityText_ = "Valid DGPS";
    else if (q == "3")
        fixQualityText_ = "Valid PPS";
    else
        fixQualityText_ = "Invalid";
    events_->PositionFixReceived(fixQualityText_);
}

// Only the RMC and GLL status decide about the fix; the GGA fix quality does not.
void VB6NmeaInterpreter::ParseFixStatus(std::string_view s)
{
    if (s == "A")
        events_->FixObtained();
    else if (s == "V")
        events_->FixLost();
}

void VB6NmeaInterpreter::ParseAutoManMode(std::string_view m)
{
    if (m == "A")
        autoManText_ = "Auto 2D/3D";
    else if (m == "M")
        autoManText_ = "Forced 2D/3D";
    else
        autoManText_ = "Unknown";
    events_->AutoManModeReceived(autoManText_);
}

void VB6NmeaInterpreter::ParseMode3D(std::string_view m)
{
    if (m == "2")
        modeText_ = "2D";
    else if (m == "3")
        modeText_ = "3D";
    else
        modeText_ = "No Fix"; // the receiver's "1"
    events_->Mode3DReceived(modeText_);
}

} // namespace tv
