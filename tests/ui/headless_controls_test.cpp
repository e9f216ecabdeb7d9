// The headless controls: timer period rules, progress clamping, status-bar parts, input limits,
// combo boxes, and whole writes from several threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/text/number_format.h"
#include "ui/headless/window_system.h"

namespace lumaro::ui::headless {
namespace {

class HeadlessControls : public ::testing::Test {
protected:
    void SetUp() override { ws.main.window.open(); }
    WindowSystem ws;
    ui::MainWindow& mw = ws.mainWindow();
};

TEST_F(HeadlessControls, TimerPeriodRules) {
    struct Step {
        int write;
        int period;
        int starts;  // restarts so far
    };
    // Equal period: no effect; different: restart; 0: stop.
    const Step steps[] = {{500, 500, 1}, {500, 500, 1}, {250, 250, 2}, {0, 0, 2},
                          {0, 0, 2},     {500, 500, 3}, {-7, 0, 3}};
    auto& timer = ws.main.时钟1;
    EXPECT_EQ(timer.period(), 0);
    EXPECT_FALSE(timer.elapse());
    for (const Step& s : steps) {
        mw.时钟1.setPeriod(s.write);
        EXPECT_EQ(mw.时钟1.period(), s.period) << "after writing " << s.write;
        EXPECT_EQ(timer.startCount(), s.starts) << "after writing " << s.write;
    }
}

TEST_F(HeadlessControls, TimerTicksOnlyWhenRunningAndWhenTold) {
    int ticks = 0;
    mw.时钟1.tick.subscribe([&] { ++ticks; });
    EXPECT_FALSE(ws.main.时钟1.elapse());
    mw.时钟1.setPeriod(500);
    EXPECT_EQ(ticks, 0);  // arming does not tick by itself
    EXPECT_TRUE(ws.main.时钟1.elapse());
    EXPECT_TRUE(ws.main.时钟1.elapse());
    mw.时钟1.setPeriod(0);
    EXPECT_FALSE(ws.main.时钟1.elapse());
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(mw.时钟_进度.period(), 0);  // the second timer is never armed
}

TEST_F(HeadlessControls, ProgressPositionIsStoredClampedAndShownInRange) {
    struct Case {
        int write;
        int stored;
        int shown;
    };
    const Case cases[] = {{0, 0, 0},           {57, 57, 57},       {100, 100, 100},
                          {150, 150, 100},     {-1, 0, 0},         {32767, 32767, 100},
                          {40000, 32767, 100}, {-2147483647, 0, 0}};
    EXPECT_EQ(mw.进度条1.minimum(), 0);
    EXPECT_EQ(mw.进度条1.maximum(), 100);
    for (const Case& c : cases) {
        mw.进度条1.setPosition(c.write);
        EXPECT_EQ(mw.进度条1.position(), c.stored) << c.write;
        EXPECT_EQ(ws.main.进度条1.displayedPosition(), c.shown) << c.write;
    }
}

TEST_F(HeadlessControls, StatusBarHasThreePartsAndIgnoresOtherIndices) {
    ASSERT_EQ(mw.状态条1.partCount(), 3);
    EXPECT_EQ(mw.状态条1.partWidth(0), 150);
    EXPECT_EQ(mw.状态条1.partWidth(1), 300);
    EXPECT_EQ(mw.状态条1.partWidth(2), 200);
    for (int part : {0, 1, 2}) {
        EXPECT_EQ(mw.状态条1.partText(part), "");
    }
    mw.状态条1.setPartText(0, "连接服务器成功");
    mw.状态条1.setPartText(1, "正在删除文件...");
    mw.状态条1.setPartText(3, "x");
    mw.状态条1.setPartText(-1, "y");
    EXPECT_EQ(mw.状态条1.partText(0), "连接服务器成功");
    EXPECT_EQ(mw.状态条1.partText(1), "正在删除文件...");
    EXPECT_EQ(mw.状态条1.partText(2), "");
    EXPECT_EQ(mw.状态条1.partText(3), "");
    EXPECT_EQ(mw.状态条1.partText(-1), "");
}

TEST_F(HeadlessControls, TypedInputStopsAtTheLimitInGbBytes) {
    ws.server.window.open();
    auto& name = ws.server.组合框_服务器名称;
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += "名";
    }
    // 60 bytes hold 30 Chinese characters, not 60.
    EXPECT_EQ(name.userType(forty).size(), 60u);
    EXPECT_EQ(name.text().size(), 60u);
    EXPECT_EQ(name.userType("a"), "");

    auto& address = ws.server.编辑框_服务器地址;
    EXPECT_EQ(address.userType("192.168.100.200:2121x"), "192.168.100.200:2121");
    // A program write is not limited.
    address.setText("a-very-long-host-name.example.org");
    EXPECT_EQ(address.text(), "a-very-long-host-name.example.org");

    auto& user = ws.server.编辑框_用户名;
    EXPECT_EQ(user.userType("abcdefghijklmnopqrstuvwxy中"), "abcdefghijklmnopqrstuvwxy");
}

TEST_F(HeadlessControls, ComboSelectionWithoutEventsAndByTheUser) {
    auto& box = ws.main.本地目录框;
    int picked = -2;
    box.itemPicked.subscribe([&](int i) { picked = i; });
    EXPECT_EQ(box.addItem("D:\\a"), 0);
    EXPECT_EQ(box.addItem("C:\\b"), 1);
    EXPECT_EQ(box.selectedIndex(), -1);
    box.setSelectedIndex(1);
    EXPECT_EQ(box.text(), "C:\\b");
    EXPECT_EQ(picked, -2);  // no event for a program selection
    box.userPick(0);
    EXPECT_EQ(picked, 0);
    EXPECT_EQ(box.text(), "D:\\a");
    box.userType("\\x");  // typing away from the selected item's text deselects it
    EXPECT_EQ(box.selectedIndex(), -1);
    EXPECT_EQ(box.text(), "D:\\a\\x");
    box.setSelectedIndex(0);
    box.removeItem(0);  // the selected item goes: nothing selected, the text stays
    EXPECT_EQ(box.selectedIndex(), -1);
    EXPECT_EQ(box.text(), "D:\\a");
    box.setSelectedIndex(5);
    EXPECT_EQ(box.selectedIndex(), -1);
    EXPECT_EQ(box.text(), "");
}

TEST_F(HeadlessControls, AppendsFromSeveralThreadsStayWhole) {
    constexpr int kThreads = 4;
    constexpr int kLines = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kLines; ++i) {
                const std::string line =
                    "线程" + text::formatInteger(t) + "：第" + text::formatInteger(i) + "行\r\n";
                mw.消息框.appendAtEnd(line);
                mw.状态条1.setPartText(2, line);
            }
        });
    }
    for (auto& th : threads) {
        th.join();
    }
    const std::string log = mw.消息框.text();
    std::vector<int> next(kThreads, 0);
    std::size_t pos = 0;
    int lines = 0;
    while (pos < log.size()) {
        const std::size_t end = log.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        const std::string line = log.substr(pos, end - pos);
        pos = end + 2;
        ++lines;
        // Each line is whole and each thread's lines come in its own order.
        bool matched = false;
        for (int t = 0; t < kThreads; ++t) {
            if (line == "线程" + text::formatInteger(t) + "：第" +
                            text::formatInteger(next[static_cast<std::size_t>(t)]) + "行") {
                ++next[static_cast<std::size_t>(t)];
                matched = true;
                break;
            }
        }
        ASSERT_TRUE(matched) << line;
    }
    EXPECT_EQ(lines, kThreads * kLines);
    EXPECT_EQ(mw.状态条1.partText(2).substr(0, 4), "线程");
}

TEST_F(HeadlessControls, ToolbarReportsButtonNumbersButNotTheSeparator) {
    std::vector<int> clicks;
    mw.工具条1.clicked.subscribe([&](int n) { clicks.push_back(n); });
    for (int n = 0; n < 6; ++n) {
        ws.main.工具条1.userClick(n);
    }
    EXPECT_EQ(clicks, (std::vector<int>{0, 1, 3, 4}));
    EXPECT_TRUE(mw.工具条1.isSeparator(2));
    EXPECT_EQ(mw.工具条1.hint(0), "连接");
    EXPECT_EQ(mw.工具条1.pictureIndex(3), 0);
}

TEST_F(HeadlessControls, DisabledButtonsAndMenuItemsRaiseNothing) {
    int clicks = 0;
    int chosen = 0;
    mw.上传钮.clicked.subscribe([&] { ++clicks; });
    mw.菜单项_连接.triggered.subscribe([&] { ++chosen; });
    ws.main.上传钮.userClick();
    mw.上传钮.setEnabled(false);
    ws.main.上传钮.userClick();
    ws.main.item(0).userChoose();
    mw.菜单项_连接.setEnabled(false);
    ws.main.item(0).userChoose();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(chosen, 1);
}

}  // namespace
}  // namespace lumaro::ui::headless
