// A worker thread fills 远程文件框 with 100 000 rows the way a listing does (append the row with
// its icon, set the size cell), through the Qt binding on the offscreen platform, against filling
// a plain std::vector with the same rows. Prints medians, ratios and peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/number_format.h"
#include "ui/qt/window_system.h"

namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 15;

using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct PlainRow {
    std::string name;
    std::string size;
    int icon;
};

void pumpUntil(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<std::string> names;
    std::vector<std::string> sizes;
    for (int i = 0; i < kRows; ++i) {
        names.push_back("文件" + lumaro::text::formatInteger(i) + ".txt");
        sizes.push_back(lumaro::text::kilobytesRounded(static_cast<std::int64_t>(i) * 1000 + 7));
    }

    // Baseline: the same rows into a plain vector.
    // Like the list, the vector keeps its capacity from one run to the next.
    std::vector<double> plain;
    std::vector<PlainRow> rows;
    for (int run = 0; run < kRuns; ++run) {
        rows.clear();
        const auto start = Clock::now();
        for (int i = 0; i < kRows; ++i) {
            rows.push_back(
                {names[static_cast<std::size_t>(i)], sizes[static_cast<std::size_t>(i)], 7});
        }
        plain.push_back(millisSince(start));
        if (rows.size() != static_cast<std::size_t>(kRows)) {
            return 1;
        }
    }

    lumaro::ui::qt::WindowSystem windows;
    lumaro::ui::MainWindow& mw = windows.mainWindow();
    mw.window.open();
    QCoreApplication::processEvents();
    const long rssBefore = peakRssKb();

    std::vector<double> written;
    std::vector<double> shown;
    QAbstractItemModel* model = windows.main.远程文件框.widget()->model();
    for (int run = 0; run < kRuns; ++run) {
        mw.远程文件框.clear();
        pumpUntil([&] { return model->rowCount() == 0; });
        std::atomic<bool> done{false};
        double writeMs = 0;
        const auto start = Clock::now();
        std::thread worker([&] {
            lumaro::ui::ListView& list = mw.远程文件框;
            for (int i = 0; i < kRows; ++i) {
                const int row = list.addRow(names[static_cast<std::size_t>(i)], 7);
                list.setCellText(row, 1, sizes[static_cast<std::size_t>(i)]);
            }
            writeMs = millisSince(start);
            done = true;
        });
        // The user-interface thread keeps its loop turning, as the program's would.
        pumpUntil([&] { return done.load() && model->rowCount() == kRows; });
        shown.push_back(millisSince(start));
        worker.join();
        written.push_back(writeMs);
        if (mw.远程文件框.rowCount() != kRows ||
            mw.远程文件框.cellText(kRows - 1, 1) != sizes.back()) {
            std::fprintf(stderr, "rows lost\n");
            return 1;
        }
    }
    const long rssAfter = peakRssKb();

    const double base = median(plain);
    std::printf("rows: %d, runs: %d (medians)\n", kRows, kRuns);
    std::printf("plain std::vector fill:        %8.2f ms\n", base);
    std::printf("worker fill through the layer: %8.2f ms   ratio %.2fx\n", median(written),
                median(written) / base);
    std::printf("until the view has every row:  %8.2f ms   ratio %.2fx\n", median(shown),
                median(shown) / base);
    std::printf("peak RSS: %.1f MB with the window open, %.1f MB after the fills (rows: %.1f MB)\n",
                rssBefore / 1024.0, rssAfter / 1024.0, (rssAfter - rssBefore) / 1024.0);
    const double rowsMb = (rssAfter - rssBefore) / 1024.0;
    auto verdict = [](bool met) { return met ? "met" : "NOT met"; };
    std::printf("goal, worker fill under 10x:           %s\n",
                verdict(median(written) / base < 10.0));
    std::printf("goal, every row in the view under 10x: %s\n",
                verdict(median(shown) / base < 10.0));
    std::printf("goal, rows under 100 MB:               %s\n", verdict(rowsMb < 100.0));
    windows.shutdown();
    return 0;
}
