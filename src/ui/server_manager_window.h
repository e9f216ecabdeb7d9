#pragma once
// ServerManagerWindow: the controls of the server-management window, by their catalogue names.
// Caption "FTP服务器管理", at 50,50, size 365 x 241, modeless, owned by the main window.
//
// Like MainWindow, the members refer to controls owned by the binding for the life of the
// process; the window itself is built by window.open() and destroyed by window.close(), and may be
// opened again (each opening starts from the designed texts).
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/dialogs.h"
#include "ui/edit_box.h"
#include "ui/label.h"
#include "ui/window.h"

namespace lumaro::ui {

struct ServerManagerWindow {
    Window& window;
    Dialogs& dialogs;

    Label& 标签4;                 // "服务器名称："
    ComboBox& 组合框_服务器名称;  // input limit 60 bytes
    Button& 按钮4;                // "保存"
    Button& 按钮5;                // "删除"
    Label& 标签1;                 // "服务器地址："
    EditBox& 编辑框_服务器地址;   // limit 20 bytes
    Label& 标签5;                 // "端口："
    EditBox& 编辑框_端口;         // "21", limit 12 bytes
    Label& 标签2;                 // "用户名："
    EditBox& 编辑框_用户名;       // limit 26 bytes
    Label& 标签3;                 // "密码："
    EditBox& 编辑框_密码;         // limit 20 bytes, shown in clear
    Button& 按钮3;                // "连接"
    Button& 按钮2;                // "取消"
};

}  // namespace lumaro::ui
