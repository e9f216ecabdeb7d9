// The headless windows: designed state, lifecycle, catalogue, dialogs.
#include <gtest/gtest.h>

#include "ui/headless/window_system.h"

namespace lumaro::ui::headless {
namespace {

TEST(HeadlessWindow, ControlsAreEmptyUntilOpenedAndAfterClosed) {
    WindowSystem ws;
    ui::MainWindow& mw = ws.mainWindow();
    EXPECT_FALSE(mw.window.isOpen());
    EXPECT_EQ(mw.上传钮.caption(), "");
    mw.FTP目录框.setText("/ignored");

    mw.window.open();
    EXPECT_EQ(mw.window.caption(), "Lumaro");
    EXPECT_EQ(mw.window.geometry(), (Rect{50, 50, 728, 592}));
    EXPECT_EQ(mw.上传钮.caption(), "上传");
    EXPECT_EQ(mw.FTP目录框.text(), "");

    // The about-to-be-destroyed handlers still see the controls.
    std::string seen;
    mw.window.aboutToBeDestroyed.subscribe([&] { seen = mw.FTP目录框.text(); });
    mw.FTP目录框.setText("/pub/data");
    mw.window.close();
    EXPECT_EQ(seen, "/pub/data");
    EXPECT_FALSE(mw.window.isOpen());
    EXPECT_EQ(mw.FTP目录框.text(), "");
    EXPECT_EQ(mw.远程文件框.addRow("late", 0), -1);
    EXPECT_EQ(mw.远程文件框.rowCount(), 0);
    mw.状态条1.setPartText(0, "late");
    EXPECT_EQ(mw.状态条1.partText(0), "");
}

TEST(HeadlessWindow, ReopeningStartsFromTheDesignAndRaisingDoesNotRebuild) {
    WindowSystem ws;
    ui::ServerManagerWindow& sw = ws.serverManagerWindow();
    sw.window.open();
    EXPECT_EQ(sw.window.caption(), "FTP服务器管理");
    EXPECT_EQ(sw.window.geometry(), (Rect{50, 50, 365, 241}));
    EXPECT_EQ(sw.编辑框_端口.text(), "21");
    sw.编辑框_端口.setText("2121");
    sw.window.open();  // already open: brought to the front, nothing rebuilt
    EXPECT_EQ(ws.server.window.raiseCount(), 1);
    EXPECT_EQ(sw.编辑框_端口.text(), "2121");
    sw.window.close();
    sw.window.open();
    EXPECT_EQ(sw.编辑框_端口.text(), "21");
}

TEST(HeadlessWindow, ClosingTheMainWindowClosesTheOwnedOneAfterItsOwnHandlers) {
    WindowSystem ws;
    std::vector<std::string> order;
    ws.mainWindow().window.aboutToBeDestroyed.subscribe([&] { order.push_back("main"); });
    ws.serverManagerWindow().window.aboutToBeDestroyed.subscribe(
        [&] { order.push_back("server"); });
    ws.mainWindow().window.open();
    ws.serverManagerWindow().window.open();
    ws.main.window.userClose();
    EXPECT_EQ(order, (std::vector<std::string>{"main", "server"}));
    EXPECT_FALSE(ws.serverManagerWindow().window.isOpen());
}

TEST(HeadlessWindow, ServerManagerControlsAsDesigned) {
    WindowSystem ws;
    ui::ServerManagerWindow& sw = ws.serverManagerWindow();
    sw.window.open();
    struct EditCase {
        ui::EditBox& box;
        Rect place;
        int limit;
    };
    const EditCase edits[] = {
        {sw.编辑框_服务器地址, {87, 39, 136, 22}, 20},
        {sw.编辑框_端口, {267, 39, 53, 22}, 12},
        {sw.编辑框_用户名, {87, 68, 136, 22}, 26},
        {sw.编辑框_密码, {87, 98, 136, 22}, 20},
    };
    for (const auto& e : edits) {
        EXPECT_EQ(e.box.geometry(), e.place);
        EXPECT_EQ(e.box.inputLimit(), e.limit);
        EXPECT_FALSE(e.box.isMultiLine());
    }
    EXPECT_EQ(sw.组合框_服务器名称.inputLimit(), 60);
    EXPECT_EQ(sw.按钮3.caption(), "连接");
    EXPECT_EQ(sw.按钮2.geometry(), (Rect{195, 137, 70, 34}));
    EXPECT_EQ(sw.标签4.text(), "服务器名称：");
}

TEST(HeadlessWindow, MenuTreeInOrder) {
    WindowSystem ws;
    ui::MainWindow& mw = ws.mainWindow();
    mw.window.open();
    const auto menus = mw.menuBar();
    ASSERT_EQ(menus.size(), 4u);
    EXPECT_EQ(menus[0]->title(), "FTP管理(&F)");
    const auto entries = menus[0]->entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0], &mw.菜单项_连接);
    EXPECT_EQ(entries[2], nullptr);
    EXPECT_EQ(entries[4]->shortcut(), "Ctrl+G");
    EXPECT_TRUE(mw.菜单项_启动窗口自动连接.isCheckable());
    EXPECT_FALSE(mw.菜单项_启动窗口自动连接.isChecked());
    mw.菜单项_启动窗口自动连接.setChecked(true);
    EXPECT_TRUE(mw.菜单项_启动窗口自动连接.isChecked());
    mw.菜单项_连接.setChecked(true);  // not a check item
    EXPECT_FALSE(mw.菜单项_连接.isChecked());
    EXPECT_EQ(mw.菜单项_刷新远程.text(), "刷新(&A)");
    EXPECT_EQ(mw.菜单项_关于.text(), "关于(&G)");
    mw.菜单_远程文件.popup(10, 20);
    EXPECT_EQ(ws.main.menus[2]->popupCount(), 1);
    EXPECT_EQ(ws.main.menus[2]->lastPopupX(), 10);
}

TEST(HeadlessWindow, DialogsAnswerFromTheScriptAndAreRecorded) {
    WindowSystem ws;
    ui::Dialogs& d = ws.dialogs();
    ws.dialogsScript.queueConfirm(Answer::No);
    ws.dialogsScript.queueInput(std::string("新目录"));
    ws.dialogsScript.queueFolder(std::nullopt);
    EXPECT_EQ(d.confirm("询问：", "删除?"), Answer::No);
    EXPECT_EQ(d.confirm("询问：", "again"), Answer::Yes);  // nothing queued: Yes
    EXPECT_EQ(d.inputBox("请输入：", "目录名", ""), std::optional<std::string>("新目录"));
    EXPECT_EQ(d.inputBox("请输入：", "目录名", "x"), std::nullopt);
    EXPECT_EQ(d.chooseFolder("选择本地目录"), std::nullopt);
    d.messageBox("信息：", "已保存", MessageIcon::Information);
    const auto shown = ws.dialogsScript.shown();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[3].initial, "x");
    EXPECT_EQ(shown[5].icon, MessageIcon::Information);
    EXPECT_EQ(ws.dialogsScript.messageTexts(), (std::vector<std::string>{"已保存"}));
}

TEST(HeadlessWindow, DropTargetDeliversPathsOnceRegistered) {
    WindowSystem ws;
    ui::MainWindow& mw = ws.mainWindow();
    mw.window.open();
    std::vector<std::string> got;
    mw.拖放对象1.filesDropped.subscribe([&](std::vector<std::string> p) { got = p; });
    ws.main.拖放对象1.userDrop({"/tmp/a.txt"});
    EXPECT_TRUE(got.empty());
    mw.拖放对象1.registerArea(mw.上传文件框);
    ws.main.拖放对象1.userDrop({"/tmp/文件.txt"});
    EXPECT_EQ(got, (std::vector<std::string>{"/tmp/文件.txt"}));
}

TEST(HeadlessWindow, ResizeRaisesSizeChangedWithTheClientSize) {
    WindowSystem ws;
    ui::MainWindow& mw = ws.mainWindow();
    mw.window.open();
    EXPECT_EQ(mw.window.clientWidth(), 720);
    EXPECT_EQ(mw.window.clientHeight(), 520);
    std::pair<int, int> size;
    mw.window.sizeChanged.subscribe([&](int w, int h) { size = {w, h}; });
    ws.main.window.userResizeClient(721, 400);
    EXPECT_EQ(size, std::make_pair(721, 400));
    EXPECT_EQ(mw.window.geometry().width, 729);
}

}  // namespace
}  // namespace lumaro::ui::headless
