#pragma once

// NMEA sentences as a receiver sends them, for tests that feed an interpreter or a port.

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace tvtest {

// The checksum of a sentence body: exclusive-or of every character but "$", as two upper-case
// hex digits.
inline std::string nmeaChecksum(std::string_view body)
{
    unsigned sum = 0;
    for (const char c : body)
        if (c != '$')
            sum ^= static_cast<unsigned char>(c);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum & 0xFF);
    return digits;
}

// Appends "*" and the checksum to a sentence such as "$GPGLL,4916.45,N".
inline std::string withChecksum(const std::string& body)
{
    return body + "*" + nmeaChecksum(body);
}

// A whole line with "$", checksum and CR LF: nmea("GPRMC,...") -> "$GPRMC,...*hh\r\n".
inline std::string nmea(const std::string& body)
{
    return "$" + withChecksum(body) + "\r\n";
}

// A position in decimal degrees (south and west negative) as the four fields of a sentence,
// minutes to six decimals: "4830.000000,N,00930.000000,E".
inline std::string nmeaPosition(double latDeg, double lonDeg)
{
    const auto field = [](double degrees, int degreeDigits) {
        const double magnitude = std::fabs(degrees);
        const int whole = static_cast<int>(magnitude);
        char text[32];
        std::snprintf(text, sizeof text, "%0*d%09.6f", degreeDigits, whole,
                      (magnitude - whole) * 60.0);
        return std::string(text);
    };
    return field(latDeg, 2) + (latDeg < 0 ? ",S," : ",N,") + field(lonDeg, 3) +
           (lonDeg < 0 ? ",W" : ",E");
}

// The receiver reports a fix at a position in decimal degrees (no speed, no course), at
// 12:00:00 UTC.
inline std::string fixAt(double latDeg, double lonDeg)
{
    return nmea("GPRMC,120000,A," + nmeaPosition(latDeg, lonDeg) + ",,,010624,,");
}

// The receiver reports a fix (or its loss) and nothing else, not even the time.
inline std::string fixStatus(bool fix)
{
    return nmea(fix ? "GPRMC,,A,,,,,,,,," : "GPRMC,,V,,,,,,,,,");
}

} // namespace tvtest
