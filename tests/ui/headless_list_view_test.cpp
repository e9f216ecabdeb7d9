// The headless list view: rows, cells, icons, selection and the icon list.
#include <gtest/gtest.h>

#include <thread>

#include "ui/headless/window_system.h"

namespace lumaro::ui::headless {
namespace {

class HeadlessList : public ::testing::Test {
protected:
    void SetUp() override { ws.main.window.open(); }
    WindowSystem ws;
    ui::ListView& remote = ws.mainWindow().远程文件框;
    ui::ListView& local = ws.mainWindow().上传文件框;
};

TEST_F(HeadlessList, ColumnsAsDesigned) {
    ASSERT_EQ(remote.columnCount(), 2);
    EXPECT_EQ(remote.columnTitle(0), "远程文件名");
    EXPECT_EQ(remote.columnTitle(1), "大小(KB)");
    EXPECT_EQ(remote.columnWidth(0), 200);
    EXPECT_EQ(remote.columnWidth(1), 80);
    EXPECT_EQ(local.columnTitle(0), "文件名");
    EXPECT_EQ(local.columnTitle(1), "大小KB");
    EXPECT_EQ(remote.columnTitle(2), "");
    remote.setColumnWidth(1, 95);
    EXPECT_EQ(remote.columnWidth(1), 95);
}

TEST_F(HeadlessList, RowsKeepTheirOrderAndShiftOnInsertAndRemove) {
    EXPECT_EQ(remote.addRow("b.txt", 7), 0);
    EXPECT_EQ(remote.addRow("a.txt", 7), 1);
    remote.setCellText(1, 1, "1.5");
    remote.setSelected(1, true);
    remote.setCurrentRow(1);
    EXPECT_EQ(remote.insertRow(1, "新目录", 0), 1);
    EXPECT_EQ(remote.rowCount(), 3);
    EXPECT_EQ(remote.cellText(2, 0), "a.txt");
    EXPECT_EQ(remote.cellText(2, 1), "1.5");
    EXPECT_EQ(remote.selectedRows(), (std::vector<int>{2}));  // selection moves with its row
    EXPECT_EQ(remote.currentRow(), 2);
    EXPECT_EQ(remote.iconIndex(1), 0);
    remote.removeRow(0);
    EXPECT_EQ(remote.cellText(0, 0), "新目录");
    EXPECT_EQ(remote.currentRow(), 1);
    EXPECT_EQ(remote.insertRow(5, "x", 0), -1);
    remote.removeRow(1);
    EXPECT_EQ(remote.currentRow(), -1);
    EXPECT_TRUE(remote.selectedRows().empty());
    remote.clear();
    EXPECT_EQ(remote.rowCount(), 0);
    // Out of range: writes do nothing, reads are empty.
    remote.setCellText(0, 0, "x");
    EXPECT_EQ(remote.cellText(0, 0), "");
    EXPECT_EQ(remote.iconIndex(0), -1);
}

TEST_F(HeadlessList, FindRowFoldsAsciiOnly) {
    remote.addRow("Readme.TXT", 7);
    // "\x82\x41" and "\x82\x61" are two different double-byte characters whose trail bytes
    // are "A" and "a": they must not match each other.
    remote.addRow("\x82\x41", 5);
    EXPECT_EQ(remote.findRow("readme.txt", true), 0);
    EXPECT_EQ(remote.findRow("readme.txt", false), -1);
    EXPECT_EQ(remote.findRow("\x82\x61", true), -1);
    EXPECT_EQ(remote.findRow("\x82\x41", true), 1);
    EXPECT_EQ(remote.findRow("Readme.TXT", false, 1), -1);
}

TEST_F(HeadlessList, LocalListGetsItsOwnCopyOfTheIconSet) {
    ASSERT_EQ(remote.imageCount(), 12);
    for (int i = 0; i < 12; ++i) {
        const Image img = remote.image(i);
        EXPECT_EQ(img.width, 32);
        EXPECT_EQ(img.height, 32);
        EXPECT_EQ(img.pixel(0, 0) >> 24, 0u) << "transparent corner of icon " << i;
    }
    EXPECT_EQ(local.imageCount(), 0);
    local.copyImagesFrom(remote);
    ASSERT_EQ(local.imageCount(), 12);
    EXPECT_EQ(local.image(11), remote.image(11));
    // The copy grows on its own; the set of the remote list never changes.
    EXPECT_EQ(local.appendImage(remote.image(3)), 12);
    EXPECT_EQ(local.appendImage(Image{}), -1);
    EXPECT_EQ(local.appendImage(Image{2, 2, {1, 2, 3}}), -1);
    EXPECT_EQ(local.imageCount(), 13);
    EXPECT_EQ(remote.imageCount(), 12);
}

TEST_F(HeadlessList, UserActionsRaiseEvents) {
    int doubles = 0;
    int changes = 0;
    std::pair<int, int> at{0, 0};
    remote.doubleClicked.subscribe([&] { ++doubles; });
    remote.selectionChanged.subscribe([&] { ++changes; });
    remote.rightClicked.subscribe([&](int x, int y) { at = {x, y}; });
    remote.addRow("a", 0);
    remote.addRow("b", 0);
    remote.setSelected(0, true);  // a program write raises nothing
    EXPECT_EQ(changes, 0);
    ws.main.远程文件框.userClickRow(1);
    EXPECT_EQ(remote.selectedRows(), (std::vector<int>{1}));
    ws.main.远程文件框.userToggleRow(0);
    EXPECT_EQ(remote.selectedRows(), (std::vector<int>{0, 1}));
    ws.main.远程文件框.userDoubleClick();
    ws.main.远程文件框.userRightClick(300, 400);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(at, std::make_pair(300, 400));
}

TEST_F(HeadlessList, RowsFromSeveralThreadsAllArrive) {
    constexpr int kThreads = 4;
    constexpr int kRows = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kRows; ++i) {
                const int row = remote.addRow(std::to_string(t) + ":" + std::to_string(i), t);
                remote.setCellText(row, 1, std::to_string(i));
            }
        });
    }
    for (auto& th : threads) {
        th.join();
    }
    ASSERT_EQ(remote.rowCount(), kThreads * kRows);
    for (int r = 0; r < remote.rowCount(); ++r) {
        const std::string caption = remote.cellText(r, 0);
        const auto colon = caption.find(':');
        ASSERT_NE(colon, std::string::npos);
        EXPECT_EQ(remote.cellText(r, 1), caption.substr(colon + 1));
        EXPECT_EQ(remote.iconIndex(r), std::stoi(caption.substr(0, colon)));
    }
}

}  // namespace
}  // namespace lumaro::ui::headless
