#pragma once
// The download progress poll: 时钟1 ticks every 500 ms while a single-file download runs, and
// each tick sets 进度条1 to the share of the expected size that the local file has reached.
//
// Threads: start() and stop() are called by download workers and the user-interface thread;
// tick() runs on the user-interface thread (the timer's tick). The target path and expected
// size are replaced together under a lock, and a tick works on its own copy of both, so it
// never sees half of a new download nor a released path. Sizes are 64-bit.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "ui/progress_bar.h"
#include "ui/timer.h"

namespace lumaro::app {

inline constexpr int kProgressPollPeriod = 500;

// The expected size in bytes for a size text in KB (column 1 of the remote list): its numeric
// value × 1024, kept at single precision as the poll has always used it, so the percentages of
// files below 4 GiB stay exactly as they were; from 4 GiB on single precision would be off by
// hundreds of bytes, and the full double value is kept instead.
double expectedBytesFromSizeText(std::string_view kilobytesText);

// size ÷ expected × 100 truncated toward zero; 0 when the quotient is not a finite number.
// Saturates at the limits of int instead of overflowing.
int progressPercent(std::int64_t sizeBytes, double expectedBytes);

class DownloadProgress {
public:
    // `bar` and `timer` are 进度条1 and 时钟1 (they outlive this object). The tick is
    // subscribed here; after this object is gone a tick does nothing.
    DownloadProgress(ui::ProgressBar& bar, ui::Timer& timer);
    ~DownloadProgress();
    DownloadProgress(const DownloadProgress&) = delete;
    DownloadProgress& operator=(const DownloadProgress&) = delete;

    // Before each single-file download: record the target and expected size, bar to 0, poll
    // every 500 ms (a poll already running at 500 ms keeps its rhythm).
    void start(std::string targetPath, double expectedBytes);
    // After a successful download: the poll stops and the bar goes back to 0.
    void stop();
    // One poll step (see the class comment).
    void tick();

    std::string downloadTargetPath() const;
    double downloadExpectedBytes() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

}  // namespace lumaro::app
