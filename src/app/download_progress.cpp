#include "app/download_progress.h"

#include <cmath>
#include <limits>

#include "platform/filesystem/file_operations.h"
#include "platform/text/number_format.h"

namespace lumaro::app {

namespace {

constexpr double kFourGiB = 4294967296.0;

}  // namespace

struct DownloadProgress::Shared {
    Shared(ui::ProgressBar& progressBar, ui::Timer& pollTimer)
        : bar(progressBar), timer(pollTimer) {}

    ui::ProgressBar& bar;
    ui::Timer& timer;
    mutable std::mutex mutex;  // guards the two download variables only
    std::string targetPath;
    double expectedBytes = 0;

    void tick() {
        std::string path;
        double expected = 0;
        {
            std::lock_guard lock(mutex);
            path = targetPath;
            expected = expectedBytes;
        }
        // The size as the directory entry reports it while the file is written; -1 when the
        // file does not exist yet. 64-bit, so files over 4 GiB get right percentages.
        const std::int64_t size = filesystem::fileSize(path);
        bar.setPosition(progressPercent(size, expected));
        if (bar.position() >= 100) {
            timer.setPeriod(0);
            bar.setPosition(0);
        }
    }
};

double expectedBytesFromSizeText(std::string_view kilobytesText) {
    const double bytes = text::leadingNumber(kilobytesText) * 1024.0;
    if (std::fabs(bytes) < kFourGiB) {
        return static_cast<double>(static_cast<float>(bytes));
    }
    return bytes;
}

int progressPercent(std::int64_t sizeBytes, double expectedBytes) {
    const double quotient = static_cast<double>(sizeBytes) / expectedBytes * 100.0;
    if (!std::isfinite(quotient)) {
        return 0;
    }
    const double truncated = std::trunc(quotient);
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(truncated);
}

DownloadProgress::DownloadProgress(ui::ProgressBar& bar, ui::Timer& timer)
    : m_shared(std::make_shared<Shared>(bar, timer)) {
    std::weak_ptr<Shared> weak = m_shared;
    timer.tick.subscribe([weak] {
        if (const auto shared = weak.lock()) {
            shared->tick();
        }
    });
}

DownloadProgress::~DownloadProgress() = default;

void DownloadProgress::start(std::string targetPath, double expectedBytes) {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->targetPath = std::move(targetPath);
        m_shared->expectedBytes = expectedBytes;
    }
    m_shared->bar.setPosition(0);
    m_shared->timer.setPeriod(kProgressPollPeriod);
}

void DownloadProgress::stop() {
    m_shared->timer.setPeriod(0);
    m_shared->bar.setPosition(0);
}

void DownloadProgress::tick() {
    m_shared->tick();
}

std::string DownloadProgress::downloadTargetPath() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->targetPath;
}

double DownloadProgress::downloadExpectedBytes() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->expectedBytes;
}

}  // namespace lumaro::app
