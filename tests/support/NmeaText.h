#pragma once

// NMEA sentences as a receiver sends them, for tests that feed an interpreter or a port.

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

} // namespace tvtest
