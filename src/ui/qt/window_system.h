#pragma once
// The Qt binding: the main window and the server-management window as real widgets.
//
// Build it on the thread that runs the QApplication, after the QApplication exists; hand
// `*this` (a ui::WindowSystem) to the system. The control wrappers live as long as this object;
// the widgets live while their window is open. Call shutdown() on the user-interface thread
// after the event loop has ended: from then on every control access from any thread does
// nothing, and workers blocked in one are released.
#include <memory>
#include <vector>

#include "ui/qt/controls.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/list_view.h"
#include "ui/qt/ui_thread.h"
#include "ui/qt/window.h"
#include "ui/window_system.h"

class QMainWindow;

namespace lumaro::ui::qt {

struct MainWindowControls {
    explicit MainWindowControls(UiThread& ui, std::function<QWidget*()> build);

    Window window;
    Toolbar 工具条1;
    Button 反退钮1;
    ComboBox 本地目录框;
    Button 浏览钮;
    Button 反退钮;
    LineEdit FTP目录框;
    Label 标签4;
    Label 标签5;
    ListView 上传文件框;
    ListView 远程文件框;
    Button 上传钮;
    Button 下载钮;
    LogEdit 消息框;
    StatusBar 状态条1;
    ProgressBar 进度条1;
    Timer 时钟1;
    Timer 时钟_进度;
    DropTarget 拖放对象1;
    std::vector<std::unique_ptr<MenuItem>> items;  // in menu order
    std::vector<std::unique_ptr<Menu>> menus;      // FTP管理, 本地文件, 远程文件, 帮助
    MenuItem& item(int index) { return *items[static_cast<std::size_t>(index)]; }
};

struct ServerManagerControls {
    explicit ServerManagerControls(UiThread& ui, std::function<QWidget*()> build);

    Window window;
    Label 标签4;
    ComboBox 组合框_服务器名称;
    Button 按钮4;
    Button 按钮5;
    Label 标签1;
    LineEdit 编辑框_服务器地址;
    Label 标签5;
    LineEdit 编辑框_端口;
    Label 标签2;
    LineEdit 编辑框_用户名;
    Label 标签3;
    LineEdit 编辑框_密码;
    Button 按钮3;
    Button 按钮2;
};

class WindowSystem : public ui::WindowSystem {
    // First, so that every wrapper below can keep a reference to them.
    UiThread m_ui;
    Dialogs m_dialogs;

public:
    WindowSystem();
    ~WindowSystem() override;

    ui::MainWindow& mainWindow() override { return m_mainWindow; }
    ui::ServerManagerWindow& serverManagerWindow() override { return m_serverWindow; }
    ui::Dialogs& dialogs() override { return m_dialogs; }
    bool isUiThread() const override { return m_ui.isUiThread(); }
    void post(std::function<void()> task) override { m_ui.post(std::move(task)); }

    void shutdown() { m_ui.shutdown(); }
    UiThread& uiThread() { return m_ui; }

    // The wrappers, for tests (widgets through wrapper.widget(), UI thread).
    MainWindowControls main;
    ServerManagerControls server;
    QMainWindow* mainFrame() const;

private:
    QWidget* buildMainWindow();
    QWidget* buildServerManagerWindow();

    ui::MainWindow m_mainWindow;
    ui::ServerManagerWindow m_serverWindow;
};

}  // namespace lumaro::ui::qt
