#pragma once
// MainWindow: the controls of the main window, by their catalogue names.
//
// The members refer to controls owned by the binding (Qt or headless), which outlive every
// worker thread: the references stay valid for the life of the process, and after the window is
// destroyed an access through them does nothing. Every control may be used from any thread.
#include <vector>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/dialogs.h"
#include "ui/drop_target.h"
#include "ui/edit_box.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/progress_bar.h"
#include "ui/status_bar.h"
#include "ui/timer.h"
#include "ui/toolbar.h"
#include "ui/window.h"

namespace lumaro::ui {

struct MainWindow {
    Window& window;  // caption "Lumaro", at 50,50, outer size 728 x 592
    Dialogs& dialogs;

    Toolbar& 工具条1;      // 0 连接, 1 断开, 2 separator, 3 上传, 4 下载
    Button& 反退钮1;       // "后退": parent of the local directory
    ComboBox& 本地目录框;  // text: current local directory; list: history
    Button& 浏览钮;        // "浏览"
    Button& 反退钮;        // "后退": parent of the remote directory
    EditBox& FTP目录框;    // current remote directory, single line
    Label& 标签4;          // "本地文件列表："
    Label& 标签5;          // "服务器文件列表："
    ListView& 上传文件框;  // local pane: "文件名" 200, "大小KB" 80
    ListView& 远程文件框;  // remote pane: "远程文件名" 200, "大小(KB)" 80; owns the icon set
    Button& 上传钮;        // "上传" / "停止"
    Button& 下载钮;        // "下载" / "停止"
    EditBox& 消息框;       // message log, multi-line
    StatusBar& 状态条1;    // parts 150, 300, 200
    ProgressBar& 进度条1;  // range 0..100
    Timer& 时钟1;          // download progress poll
    Timer& 时钟_进度;      // never armed
    DropTarget& 拖放对象1;  // drop area: 上传文件框

    // Menu bar, in order: FTP管理(&F), 本地文件(&B), 远程文件(&Y), 帮助(&H).
    Menu& 菜单_FTP管理;
    Menu& 菜单_本地文件;  // also the pop-up menu of 上传文件框
    Menu& 菜单_远程文件;  // also the pop-up menu of 远程文件框
    Menu& 菜单_帮助;

    // "FTP管理(&F)"
    MenuItem& 菜单项_连接;              // "连接(&L)" F5
    MenuItem& 菜单项_断开;              // "断开(&D)" F6
    MenuItem& 菜单项_启动窗口自动连接;  // "启动窗口自动连接(&Q)", check item
    MenuItem& 菜单项_FTP服务器管理;     // "FTP服务器管理(&F)" Ctrl+G
    // "本地文件(&B)"
    MenuItem& 菜单项_上传;          // "上传(&C)"
    MenuItem& 菜单项_打开;          // "打开(&D)"
    MenuItem& 菜单项_用记事本打开;  // "用记事本打开(&Y)"
    MenuItem& 菜单项_删除;          // "删除(&S)"
    MenuItem& 菜单项_全部删除;      // "全部删除(&Q)"
    MenuItem& 菜单项_选择目录;      // "选择目录(&X)"
    MenuItem& 菜单项_刷新本地;      // "刷新(&X)"
    // "远程文件(&Y)"
    MenuItem& 菜单项_下载;            // "下载(&X)"
    MenuItem& 菜单项_全部下载;        // "全部下载(&Q)"
    MenuItem& 菜单项_另存为;          // "另存为(&L)"
    MenuItem& 菜单项_创建目录;        // "创建目录(&C)"
    MenuItem& 菜单项_删除文件或目录;  // "删除文件或目录(&S)"
    MenuItem& 菜单项_重命名;          // "重命名(&M)"
    MenuItem& 菜单项_刷新远程;        // "刷新(&A)"
    // "帮助(&H)"
    MenuItem& 菜单项_使用帮助;  // "使用帮助(&B)"
    MenuItem& 菜单项_关于;      // "关于(&G)"

    std::vector<Menu*> menuBar() const {
        return {&菜单_FTP管理, &菜单_本地文件, &菜单_远程文件, &菜单_帮助};
    }
};

}  // namespace lumaro::ui
