#pragma once

#include "gps/VB6NmeaInterpreter.h"
#include "support/NmeaText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tvtest {

// A subscriber that writes down every event as "Event(arg, arg)" in the order it arrives.
class RecordingEvents : public tv::NmeaEvents
{
public:
    std::vector<std::string> log;

    void clear() { log.clear(); }

    // Number of logged events whose text begins with `prefix` (e.g. "PositionReceived(").
    int count(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& entry : log)
            n += entry.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

    void PositionReceived(const std::string& latitude, const std::string& longitude,
                          const std::string& latraw, const std::string& longraw) override
    {
        add("PositionReceived", {latitude, longitude, latraw, longraw});
    }
    void TimeChanged(const std::string& t) override { add("TimeChanged", {t}); }
    void DateChanged(const std::string& d) override { add("DateChanged", {d}); }
    void BearingReceived(const std::string& b) override { add("BearingReceived", {b}); }
    void SpeedReceived(const std::string& s) override { add("SpeedReceived", {s}); }
    void FixObtained() override { add("FixObtained", {}); }
    void FixLost() override { add("FixLost", {}); }
    void SatelliteReceived(int16_t number, int16_t prn, int16_t azimuth, int16_t elevation,
                           int16_t snr) override
    {
        add("SatelliteReceived", {num(number), num(prn), num(azimuth), num(elevation), num(snr)});
    }
    void HDOPReceived(double v) override { add("HDOPReceived", {num(v)}); }
    void VDOPReceived(double v) override { add("VDOPReceived", {num(v)}); }
    void PDOPReceived(double v) override { add("PDOPReceived", {num(v)}); }
    void PositionFixReceived(const std::string& f) override { add("PositionFixReceived", {f}); }
    void SatellitesUsedReceived(int16_t n) override { add("SatellitesUsedReceived", {num(n)}); }
    void AltitudeReceived(const std::string& a) override { add("AltitudeReceived", {a}); }
    void AltitudeUnitsReceived(const std::string& u) override { add("AltitudeUnitsReceived", {u}); }
    void GeoidSeparationReceived(double v) override { add("GeoidSeparationReceived", {num(v)}); }
    void GeoidSeparationUnitsReceived(const std::string& u) override
    {
        add("GeoidSeparationUnitsReceived", {u});
    }
    void DGPSageReceived(int16_t a) override { add("DGPSageReceived", {num(a)}); }
    void DGPSstationIDReceived(const std::string& id) override
    {
        add("DGPSstationIDReceived", {id});
    }
    void AutoManModeReceived(const std::string& m) override { add("AutoManModeReceived", {m}); }
    void Mode3DReceived(const std::string& m) override { add("Mode3DReceived", {m}); }
    void Ch1SatReceived(int16_t s) override { add("Ch1SatReceived", {num(s)}); }
    void Ch2SatReceived(int16_t s) override { add("Ch2SatReceived", {num(s)}); }
    void Ch3SatReceived(int16_t s) override { add("Ch3SatReceived", {num(s)}); }
    void Ch4SatReceived(int16_t s) override { add("Ch4SatReceived", {num(s)}); }
    void Ch5SatReceived(int16_t s) override { add("Ch5SatReceived", {num(s)}); }
    void Ch6SatReceived(int16_t s) override { add("Ch6SatReceived", {num(s)}); }
    void Ch7SatReceived(int16_t s) override { add("Ch7SatReceived", {num(s)}); }
    void Ch8SatReceived(int16_t s) override { add("Ch8SatReceived", {num(s)}); }
    void Ch9SatReceived(int16_t s) override { add("Ch9SatReceived", {num(s)}); }
    void Ch10SatReceived(int16_t s) override { add("Ch10SatReceived", {num(s)}); }
    void Ch11SatReceived(int16_t s) override { add("Ch11SatReceived", {num(s)}); }
    void Ch12SatReceived(int16_t s) override { add("Ch12SatReceived", {num(s)}); }
    void SatellitesInViewReceived(int16_t n) override { add("SatellitesInViewReceived", {num(n)}); }

private:
    static std::string num(int value) { return std::to_string(value); }
    static std::string num(double value)
    {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        return buffer;
    }

    void add(const char* event, const std::vector<std::string>& args)
    {
        std::string entry = event;
        entry += '(';
        for (std::size_t i = 0; i < args.size(); ++i)
            entry += (i ? ", " : "") + args[i];
        entry += ')';
        log.push_back(entry);
    }
};

// A fixture with one interpreter reporting to a recorder: raised(body) parses a sentence body
// (checksum added), expects it to be accepted and returns what it raised.
class ParsedSentences : public ::testing::Test
{
protected:
    ParsedSentences() { gps.setEvents(&events); }

    std::vector<std::string> raised(const std::string& body)
    {
        events.clear();
        EXPECT_TRUE(gps.Parse(withChecksum(body))) << body;
        return events.log;
    }

    tv::VB6NmeaInterpreter gps;
    RecordingEvents events;
};

} // namespace tvtest
