#include "map/RowBandWorkers.h"

#include "platform/Log.h"

#include <algorithm>
#include <system_error>

namespace tv::raster {

RowBandWorkers::RowBandWorkers(int rows) : rows_(rows)
{
    constexpr unsigned kMostThreads = 4;
    // The calling thread is one of them.
    const unsigned threads =
        std::max(1U, std::min(std::thread::hardware_concurrency(), kMostThreads));
    // More bands than threads: a thread whose rows are few takes another band.
    constexpr int kBandsPerThread = 4;
    bands_ = std::max(1, std::min(rows_, kBandsPerThread * static_cast<int>(threads)));
    try {
        for (unsigned i = 1; i < threads; ++i)
            threads_.emplace_back([this] { serve(); });
    } catch (const std::system_error& e) {
        logIgnoredFault(e, "drawn by fewer threads; the calling thread takes the other bands");
    }
}

RowBandWorkers::~RowBandWorkers()
{
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_)
        t.join();
}

void RowBandWorkers::run(const Job& job)
{
    {
        const std::lock_guard lock(mutex_);
        job_ = &job;
        nextBand_ = 0;
        busy_ = threads_.size();
        ++round_;
    }
    wake_.notify_all();
    // The other threads are done with `job` before this returns, however it returns.
    struct AllDone
    {
        RowBandWorkers& workers;
        ~AllDone()
        {
            std::unique_lock lock(workers.mutex_);
            workers.done_.wait(lock, [this] { return workers.busy_ == 0; });
            workers.job_ = nullptr;
        }
    } allDone{*this};
    takeBands(job);
}

void RowBandWorkers::serve()
{
    uint64_t seen = 0;
    for (;;) {
        const Job* job = nullptr;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stop_ || round_ != seen; });
            if (stop_)
                return;
            seen = round_;
            job = job_;
        }
        takeBands(*job);
        {
            const std::lock_guard lock(mutex_);
            --busy_;
        }
        done_.notify_one();
    }
}

void RowBandWorkers::takeBands(const Job& job)
{
    for (int band = nextBand_++; band < bands_; band = nextBand_++)
        job({rows_ * band / bands_, rows_ * (band + 1) / bands_ - 1});
}

} // namespace tv::raster
