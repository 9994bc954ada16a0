#pragma once

// A few threads that share out the rows of one image for one drawing call (Drawing's line
// batch): a job given the rows of a band draws what falls in them, bands are taken in turn
// until none is left. Built when a call has enough to draw; without threads (none could be
// started, or a single processor) the calling thread draws every band itself.

#include "map/DrawingRaster.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tv::raster {

class RowBandWorkers
{
public:
    using Job = std::function<void(ImageTarget::Rows)>;
    // Below this many items a job is drawn faster than the threads wake up.
    static constexpr std::size_t kWorthItems = 2048;

    // For an image `rows` high.
    explicit RowBandWorkers(int rows);
    ~RowBandWorkers();
    RowBandWorkers(const RowBandWorkers&) = delete;
    RowBandWorkers& operator=(const RowBandWorkers&) = delete;

    // Runs `job` for every band; returns when all bands are drawn.
    void run(const Job& job);

private:
    void serve();
    void takeBands(const Job& job);

    int rows_;
    int bands_ = 1;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const Job* job_ = nullptr;
    uint64_t round_ = 0;
    std::size_t busy_ = 0;
    bool stop_ = false;
    std::atomic<int> nextBand_{0};
};

} // namespace tv::raster
