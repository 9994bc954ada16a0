#include "gps/VB6NmeaInterpreter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

// Parse throughput over the burst a receiver sends once a second. Target: at least three million
// sentences per second on one core (items_per_second in the output).

namespace {

const std::array<std::string, 7> kBurst = {
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A",
    "$GPGSA,A,3,27,15,09,28,18,08,,,,,,,3.33,2.51,2.20*04",
    "$GPGSV,3,1,12,05,04,187,,08,11,078,29,09,43,270,37,12,03,212,*75",
    "$GPGSV,3,2,12,15,78,214,34,17,25,106,18,18,32,294,39,22,13,324,20*77",
    "$GPGSV,3,3,12,24,04,342,,26,55,139,24,27,62,276,36,28,39,055,26*77",
    "$GPGLL,4916.45,N,12311.12,W,225444,A*31",
};

// Handles every event and does a little with each argument, as a window's handlers would.
class Subscriber : public tv::NmeaEvents
{
public:
    long sum = 0;
    double dop = 0;

    void PositionReceived(const std::string& a, const std::string& b, const std::string& c,
                          const std::string& d) override
    {
        sum += static_cast<long>(a.size() + b.size() + c.size() + d.size());
    }
    void TimeChanged(const std::string& t) override { sum += t.size(); }
    void DateChanged(const std::string& d) override { sum += d.size(); }
    void BearingReceived(const std::string& b) override { sum += b.size(); }
    void SpeedReceived(const std::string& s) override { sum += s.size(); }
    void FixObtained() override { ++sum; }
    void FixLost() override { --sum; }
    void SatelliteReceived(int16_t n, int16_t prn, int16_t az, int16_t el, int16_t snr) override
    {
        sum += n + prn + az + el + snr;
    }
    void HDOPReceived(double v) override { dop += v; }
    void VDOPReceived(double v) override { dop += v; }
    void PDOPReceived(double v) override { dop += v; }
    void PositionFixReceived(const std::string& f) override { sum += f.size(); }
    void SatellitesUsedReceived(int16_t n) override { sum += n; }
    void AltitudeReceived(const std::string& a) override { sum += a.size(); }
    void AltitudeUnitsReceived(const std::string& u) override { sum += u.size(); }
    void GeoidSeparationReceived(double v) override { dop += v; }
    void GeoidSeparationUnitsReceived(const std::string& u) override { sum += u.size(); }
    void DGPSageReceived(int16_t a) override { sum += a; }
    void DGPSstationIDReceived(const std::string& id) override { sum += id.size(); }
    void AutoManModeReceived(const std::string& m) override { sum += m.size(); }
    void Mode3DReceived(const std::string& m) override { sum += m.size(); }
    void Ch1SatReceived(int16_t s) override { sum += s; }
    void Ch2SatReceived(int16_t s) override { sum += s; }
    void Ch3SatReceived(int16_t s) override { sum += s; }
    void Ch4SatReceived(int16_t s) override { sum += s; }
    void Ch5SatReceived(int16_t s) override { sum += s; }
    void Ch6SatReceived(int16_t s) override { sum += s; }
    void Ch7SatReceived(int16_t s) override { sum += s; }
    void Ch8SatReceived(int16_t s) override { sum += s; }
    void Ch9SatReceived(int16_t s) override { sum += s; }
    void Ch10SatReceived(int16_t s) override { sum += s; }
    void Ch11SatReceived(int16_t s) override { sum += s; }
    void Ch12SatReceived(int16_t s) override { sum += s; }
    void SatellitesInViewReceived(int16_t n) override { sum += n; }
};

void BM_ParseOneSecondBurst(benchmark::State& state)
{
    tv::VB6NmeaInterpreter gps;
    Subscriber subscriber;
    gps.setEvents(&subscriber);
    for (auto _ : state) {
        for (const auto& sentence : kBurst)
            benchmark::DoNotOptimize(gps.Parse(sentence));
    }
    benchmark::DoNotOptimize(subscriber.sum);
    benchmark::DoNotOptimize(subscriber.dop);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kBurst.size()));
}
BENCHMARK(BM_ParseOneSecondBurst);

} // namespace
