// The message log, the status-bar parts and the download progress poll on the headless window.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/activity_log.h"
#include "app/download_progress.h"
#include "app/status_parts.h"
#include "ui/headless/window_system.h"

namespace lumaro::app {
namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_windows.main.window.open();
        std::string pattern = ::testing::TempDir() + "lumaro_progress_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }
    ui::MainWindow& window() { return m_windows.mainWindow(); }
    // A file of `size` bytes; sparse, so 5 GiB take no disk space.
    std::string fileOfSize(const std::string& name, std::int64_t size) {
        const std::string path = m_dir + "/" + name;
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
        return path;
    }

    ui::headless::WindowSystem m_windows;
    std::string m_dir;
};

using ActivityLogTest = WindowTest;

TEST_F(ActivityLogTest, AppendsLinesAfterWhateverTheBoxHolds) {
    ActivityLog log(window().消息框);
    log.appendLine("上传成功: a.txt");
    log.appendLine("");
    EXPECT_EQ(window().消息框.text(), "上传成功: a.txt\r\n\r\n");
    // The user's own typing stays; the next line follows it with no separator of ours.
    m_windows.main.消息框.userType("my note");
    log.appendLine("next");
    EXPECT_EQ(window().消息框.text(), "上传成功: a.txt\r\n\r\nmy notenext\r\n");
    log.clear();
    EXPECT_EQ(window().消息框.text(), "");
}

TEST_F(ActivityLogTest, LinesOfTwoWorkersNeverSplit) {
    ActivityLog log(window().消息框);
    constexpr int kLines = 300;
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 2; ++worker) {
        workers.emplace_back([&log, worker] {
            for (int i = 0; i < kLines; ++i) {
                log.appendLine("worker " + std::to_string(worker) + " file " + std::to_string(i) +
                               std::string(40, 'x'));
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    const std::string all = window().消息框.text();
    std::set<std::string> lines;
    std::vector<int> last = {-1, -1};
    std::size_t at = 0;
    while (at < all.size()) {
        const std::size_t end = all.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        const std::string line = all.substr(at, end - at);
        const int worker = line[7] - '0';
        const int number = std::stoi(line.substr(14));
        EXPECT_EQ(line, "worker " + std::to_string(worker) + " file " + std::to_string(number) +
                            std::string(40, 'x'));
        EXPECT_GT(number, last[worker]);  // each worker's lines in its own order
        last[worker] = number;
        lines.insert(line);
        at = end + 2;
    }
    EXPECT_EQ(lines.size(), 2u * kLines);
}

using StatusPartsTest = WindowTest;

TEST_F(StatusPartsTest, ThreePartsAndNothingElse) {
    ui::StatusBar& bar = window().状态条1;
    setStatusPart(bar, kConnectionPart, "连接服务器成功");
    setStatusPart(bar, kOperationPart, "正在上传...");
    setStatusPart(bar, kCountsPart, "1/3");
    for (int part : {-1, 3, 100}) {
        setStatusPart(bar, part, "ignored");
        EXPECT_EQ(statusPart(bar, part), "") << part;
    }
    EXPECT_EQ(statusPart(bar, 0), "连接服务器成功");
    EXPECT_EQ(statusPart(bar, 1), "正在上传...");
    EXPECT_EQ(statusPart(bar, 2), "1/3");
    EXPECT_TRUE(statusSaysConnected(bar));
    EXPECT_FALSE(statusSaysDeleting(bar));
    setStatusPart(bar, kOperationPart, "正在删除文件...");
    EXPECT_TRUE(statusSaysDeleting(bar));
    // An upload status written over part 1 while a delete runs lifts the refusal.
    setStatusPart(bar, kOperationPart, "正在上传 b.txt");
    EXPECT_FALSE(statusSaysDeleting(bar));
    setStatusPart(bar, kConnectionPart, "连接服务器成功 ");
    EXPECT_FALSE(statusSaysConnected(bar));  // exactly that text, nothing more
}

TEST(ProgressPercent, TruncatesAndNeverOverflows) {
    const struct {
        std::int64_t size;
        double expected;
        int percent;
    } cases[] = {
        {-1, 1000, 0},  // the bar shows a negative percent as 0
        {0, 1000, 0},
        {500, 1000, 50},
        {999, 1000, 99},
        {1000, 1000, 100},
        {1000, 1000.448f, 99},  // "0.977" KB: the complete file stays at 99
        {1536, 1536, 100},
        {2000, 1000, 200},
        {0, 0, 0},  // 0 ÷ 0 is not a number
        {5, 0, 0},  // neither is 5 ÷ 0
        {-1, 0, 0},
        {5LL << 30, 10.0 * (1LL << 30), 50},  // 5 GiB of 10 GiB
        {(5LL << 30) - 1, 5.0 * (1LL << 30), 99},
        {1LL << 62, 1, 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(progressPercent(c.size, c.expected), c.percent) << c.size << " of " << c.expected;
    }
}

TEST(ExpectedBytes, SinglePrecisionBelowFourGiB) {
    EXPECT_EQ(expectedBytesFromSizeText("0"), 0.0);
    EXPECT_EQ(expectedBytesFromSizeText(""), 0.0);
    EXPECT_EQ(expectedBytesFromSizeText("1.5"), 1536.0);
    EXPECT_EQ(expectedBytesFromSizeText("0.977"), static_cast<double>(1000.448f));
    EXPECT_EQ(expectedBytesFromSizeText("12345.678"), static_cast<double>(12641974.272f));
    // 5 GiB written as KB, and a size a few hundred bytes off a float step: kept exactly.
    EXPECT_EQ(expectedBytesFromSizeText("5242880"), 5368709120.0);
    EXPECT_EQ(expectedBytesFromSizeText("5242880.123"), 5242880.123 * 1024.0);
}

using DownloadProgressTest = WindowTest;

TEST_F(DownloadProgressTest, StartArmsThePollAndResetsTheBar) {
    DownloadProgress progress(window().进度条1, window().时钟1);
    window().进度条1.setPosition(40);
    progress.start(m_dir + "/a.bin", 2048);
    EXPECT_EQ(window().进度条1.position(), 0);
    EXPECT_EQ(window().时钟1.period(), kProgressPollPeriod);
    EXPECT_EQ(progress.downloadTargetPath(), m_dir + "/a.bin");
    EXPECT_EQ(progress.downloadExpectedBytes(), 2048.0);
    // Arming a running poll again keeps its rhythm.
    const int starts = m_windows.main.时钟1.startCount();
    progress.start(m_dir + "/b.bin", 10);
    EXPECT_EQ(m_windows.main.时钟1.startCount(), starts);
    EXPECT_EQ(progress.downloadTargetPath(), m_dir + "/b.bin");
    progress.stop();
    EXPECT_EQ(window().时钟1.period(), 0);
    EXPECT_EQ(window().进度条1.position(), 0);
}

TEST_F(DownloadProgressTest, TicksFollowTheFileOnDisk) {
    DownloadProgress progress(window().进度条1, window().时钟1);
    auto& timer = m_windows.main.时钟1;
    const std::string path = m_dir + "/part.bin";

    // No file yet: 0, still polling.
    progress.start(path, 1000);
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 0);
    EXPECT_TRUE(timer.isRunning());

    fileOfSize("part.bin", 420);
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 42);

    fileOfSize("part.bin", 999);
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 99);
    EXPECT_TRUE(timer.isRunning());  // 99 stays until the download resets it

    fileOfSize("part.bin", 1000);
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 0);  // reached 100: poll stopped, bar reset
    EXPECT_FALSE(timer.isRunning());
    EXPECT_FALSE(timer.elapse());
}

TEST_F(DownloadProgressTest, EdgeCasesOfTheExpectedSize) {
    DownloadProgress progress(window().进度条1, window().时钟1);
    auto& timer = m_windows.main.时钟1;
    // A size text of 0: every tick writes 0 and the poll runs on.
    progress.start(fileOfSize("zero.bin", 5000), expectedBytesFromSizeText("0"));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(timer.elapse());
        EXPECT_EQ(window().进度条1.position(), 0);
    }
    EXPECT_TRUE(timer.isRunning());
    // A file that grew past its listed size drives the bar to 100: poll stops, bar at 0.
    progress.start(fileOfSize("grown.bin", 3000), expectedBytesFromSizeText("1"));
    ASSERT_TRUE(timer.elapse());
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(window().进度条1.position(), 0);
    // "0.977" KB for a 1000-byte file: the complete file ends at 99.
    progress.start(fileOfSize("short.bin", 1000), expectedBytesFromSizeText("0.977"));
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 99);
    EXPECT_TRUE(timer.isRunning());
    // "1.5" KB for a 1536-byte file reaches 100 and stops itself.
    progress.start(fileOfSize("exact.bin", 1536), expectedBytesFromSizeText("1.5"));
    ASSERT_TRUE(timer.elapse());
    EXPECT_FALSE(timer.isRunning());
}

TEST_F(DownloadProgressTest, FilesOverFourGiB) {
    DownloadProgress progress(window().进度条1, window().时钟1);
    auto& timer = m_windows.main.时钟1;
    const std::int64_t sixGiB = 6LL << 30;
    // 3 GiB of 6 GiB: 50 (the low 32 bits read as signed would show 0).
    progress.start(fileOfSize("big.iso", 3LL << 30), expectedBytesFromSizeText("6291456"));
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 50);
    // 4 GiB + 1 KiB of 6 GiB: 66 (the low 32 bits alone would say 1 KiB, 0 %).
    fileOfSize("big.iso", (4LL << 30) + 1024);
    ASSERT_TRUE(timer.elapse());
    EXPECT_EQ(window().进度条1.position(), 66);
    fileOfSize("big.iso", sixGiB);
    ASSERT_TRUE(timer.elapse());
    EXPECT_FALSE(timer.isRunning());
}

TEST_F(DownloadProgressTest, TicksSeeAConsistentCopyWhileWorkersRestart) {
    auto progress = std::make_unique<DownloadProgress>(window().进度条1, window().时钟1);
    const std::string small = fileOfSize("small.bin", 10);
    const std::string large = fileOfSize("large.bin", 100);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 2000; ++i) {
            // Each pair is consistent: 10 of 1000 is 1 %, 100 of 10000 is 1 %.
            if (i % 2 == 0) {
                progress->start(small, 1000);
            } else {
                progress->start(large, 10000);
            }
        }
        done = true;
    });
    while (!done) {
        progress->tick();
        const int position = window().进度条1.position();
        EXPECT_TRUE(position == 0 || position == 1) << position;
    }
    worker.join();
    // After the object is gone a tick of the timer does nothing.
    progress.reset();
    window().进度条1.setPosition(7);
    window().时钟1.setPeriod(kProgressPollPeriod);
    EXPECT_TRUE(m_windows.main.时钟1.elapse());
    EXPECT_EQ(window().进度条1.position(), 7);
}

}  // namespace
}  // namespace lumaro::app
