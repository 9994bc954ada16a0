// The chart window reads a chart's pixel size from its file header every time a chart is shown.
// Target: a 10,000 x 7,000 chart, as BMP and as JPEG with a 60 KB EXIF block, each file 30 MB or
// more, median under 1 ms each: the size comes from the header alone, never from the picture.
#include "calibration/ImageHeaderSize.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kWidth = 10000;
constexpr uint32_t kHeight = 7000;

void putLe(std::vector<uint8_t>& b, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putBe16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}

// Writes the header, then extends the file to `size` bytes (picture data; sparse where the file
// system allows, the reader never looks at it).
void writeFile(const fs::path& path, const std::vector<uint8_t>& header, uintmax_t size)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(header.data()),
                  static_cast<std::streamsize>(header.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path.string());
    }
    fs::resize_file(path, size);
}

class ChartFiles
{
public:
    ChartFiles()
    {
        folder_ =
            fs::temp_directory_path() / ("tramvik-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);

        // 24-bit bottom-up bitmap: rows padded to 4 bytes.
        const uint32_t rowBytes = (kWidth * 3 + 3) / 4 * 4;
        const uintmax_t bmpSize = 54 + uintmax_t{rowBytes} * kHeight;
        std::vector<uint8_t> bmp{'B', 'M'};
        putLe(bmp, static_cast<uint32_t>(bmpSize), 4);
        putLe(bmp, 0, 4);
        putLe(bmp, 54, 4);
        putLe(bmp, 40, 4);
        putLe(bmp, kWidth, 4);
        putLe(bmp, kHeight, 4);
        putLe(bmp, 1, 2);
        putLe(bmp, 24, 2);
        bmp.resize(54, 0);
        writeFile(bmpPath(), bmp, bmpSize);

        // JPEG: APP0, a 60 KB APP1 (EXIF), two DQT, SOF0, then the scan.
        std::vector<uint8_t> jpg{0xFF, 0xD8};
        auto segment = [&jpg](uint8_t code, uint32_t payload) {
            jpg.push_back(0xFF);
            jpg.push_back(code);
            putBe16(jpg, payload + 2);
            jpg.insert(jpg.end(), payload, 0x20);
        };
        segment(0xE0, 14);
        segment(0xE1, 60 * 1024);
        segment(0xDB, 65);
        segment(0xDB, 65);
        jpg.push_back(0xFF);
        jpg.push_back(0xC0);
        putBe16(jpg, 17);
        jpg.push_back(8);
        putBe16(jpg, kHeight);
        putBe16(jpg, kWidth);
        for (uint8_t c : {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1})
            jpg.push_back(c);
        segment(0xDA, 10);
        writeFile(jpgPath(), jpg, 30u * 1024 * 1024);
    }
    ~ChartFiles()
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path bmpPath() const { return folder_ / "chart.bmp"; }
    fs::path jpgPath() const { return folder_ / "chart.jpg"; }

private:
    fs::path folder_;
};

const ChartFiles& files()
{
    static const ChartFiles instance;
    return instance;
}

void measure(benchmark::State& state, const fs::path& file)
{
    if (fs::file_size(file) < 30u * 1024 * 1024) {
        state.SkipWithError("chart file smaller than 30 MB");
        return;
    }
    for (auto _ : state) {
        const tv::ImageHeaderResult r = tv::ImageHeaderSize(file);
        benchmark::DoNotOptimize(r);
        if (r.width != static_cast<int32_t>(kWidth) || r.height != static_cast<int32_t>(kHeight)) {
            state.SkipWithError("wrong size read");
            return;
        }
    }
}

void BM_ImageHeaderSizeBmp(benchmark::State& state)
{
    measure(state, files().bmpPath());
}
void BM_ImageHeaderSizeJpeg(benchmark::State& state)
{
    measure(state, files().jpgPath());
}

} // namespace

BENCHMARK(BM_ImageHeaderSizeBmp)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ImageHeaderSizeJpeg)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
