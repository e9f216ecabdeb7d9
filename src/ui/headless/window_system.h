#pragma once
// The headless binding: both windows and the dialogs in memory, for the system's tests.
//
// Tests build one WindowSystem, hand `*this` (a ui::WindowSystem) to the system, open the main
// window, and play the user through the concrete controls in `main` and `server` (userClick,
// userPick, elapse, ...). Everything is thread-safe; events are raised on the thread that plays
// the user action; post() runs its task at once on the calling thread.
#include <memory>
#include <vector>

#include "ui/headless/controls.h"
#include "ui/headless/list_view.h"
#include "ui/headless/scripted_dialogs.h"
#include "ui/headless/window.h"
#include "ui/window_system.h"

namespace lumaro::ui::headless {

// The designed client area of the main window's outer 728 x 592.
inline constexpr int kMainClientWidth = 720;
inline constexpr int kMainClientHeight = 520;

// Simple generated pictures standing in for the artwork: twelve 32 x 32 file-type icons and four
// 24 x 24 toolbar pictures, each distinct, with transparent corners.
std::vector<Image> placeholderFileIcons();
std::vector<Image> placeholderToolPictures();

struct MainWindowControls {
    MainWindowControls();
    void reset();

    Window window;
    Toolbar 工具条1;
    Button 反退钮1;
    ComboBox 本地目录框;
    Button 浏览钮;
    Button 反退钮;
    EditBox FTP目录框;
    Label 标签4;
    Label 标签5;
    ListView 上传文件框;
    ListView 远程文件框;
    Button 上传钮;
    Button 下载钮;
    EditBox 消息框;
    StatusBar 状态条1;
    ProgressBar 进度条1;
    Timer 时钟1;
    Timer 时钟_进度;
    DropTarget 拖放对象1;
    // Menu items in menu order, then the four menus.
    std::vector<std::unique_ptr<MenuItem>> items;
    std::vector<std::unique_ptr<Menu>> menus;
    MenuItem& item(int index) { return *items[static_cast<std::size_t>(index)]; }
};

struct ServerManagerControls {
    ServerManagerControls();
    void reset();

    Window window;
    Label 标签4;
    ComboBox 组合框_服务器名称;
    Button 按钮4;
    Button 按钮5;
    Label 标签1;
    EditBox 编辑框_服务器地址;
    Label 标签5;
    EditBox 编辑框_端口;
    Label 标签2;
    EditBox 编辑框_用户名;
    Label 标签3;
    EditBox 编辑框_密码;
    Button 按钮3;
    Button 按钮2;
};

class WindowSystem : public ui::WindowSystem {
public:
    WindowSystem();

    ui::MainWindow& mainWindow() override { return m_mainWindow; }
    ui::ServerManagerWindow& serverManagerWindow() override { return m_serverWindow; }
    ui::Dialogs& dialogs() override { return dialogsScript; }
    // Every thread counts as the user-interface thread.
    bool isUiThread() const override { return true; }
    void post(std::function<void()> task) override;

    ScriptedDialogs dialogsScript;
    MainWindowControls main;
    ServerManagerControls server;

private:
    ui::MainWindow m_mainWindow;
    ui::ServerManagerWindow m_serverWindow;
};

}  // namespace lumaro::ui::headless
