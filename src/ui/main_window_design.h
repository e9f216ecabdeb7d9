#pragma once
// The designed values of the main window's controls: initial texts, places, sizes, colours,
// columns, the menu tree and the toolbar. Both bindings build the window from these tables, so
// the two show the same window. Texts are GB18030 literals (the project compiles with
// -fexec-charset=GB18030).
#include <array>

#include "ui/control.h"

namespace lumaro::ui::design {

inline constexpr const char* kMainCaption = "Lumaro";
inline constexpr Rect kMainOuter{50, 50, 728, 592};

struct Placed {
    const char* text;
    Rect place;
};

inline constexpr Rect kToolbar{0, 0, 722, 28};
inline constexpr Placed k反退钮1{"后退", {3, 40, 38, 22}};
inline constexpr Rect k本地目录框{44, 39, 243, 22};
inline constexpr Placed k浏览钮{"浏览", {291, 39, 40, 22}};
inline constexpr Placed k反退钮{"后退", {370, 40, 38, 22}};
inline constexpr Rect kFTP目录框{408, 39, 240, 22};
inline constexpr Placed k标签4{"本地文件列表：", {4, 65, 88, 16}};
inline constexpr Placed k标签5{"服务器文件列表：", {373, 65, 96, 16}};
inline constexpr Rect k上传文件框{0, 81, 286, 335};
inline constexpr Rect k远程文件框{368, 81, 286, 335};
inline constexpr Placed k上传钮{"上传", {294, 123, 66, 30}};
inline constexpr Placed k下载钮{"下载", {295, 181, 66, 30}};
inline constexpr Rect k消息框{0, 427, 656, 72};
// The status bar runs along the bottom edge; this is its designed place only.
inline constexpr Rect k状态条1{1, 455, 431, 20};
inline constexpr Rect k进度条1{0, 510, 654, 6};

struct Column {
    const char* title;
    int width;
};
inline constexpr std::array<Column, 2> kLocalColumns{{{"文件名", 200}, {"大小KB", 80}}};
inline constexpr std::array<Column, 2> kRemoteColumns{{{"远程文件名", 200}, {"大小(KB)", 80}}};
inline constexpr Color kLocalText{0, 0, 0};
inline constexpr Color kLocalBackground{255, 255, 255};
inline constexpr Color kRemoteText{0, 128, 0};
inline constexpr Color kRemoteBackground{236, 236, 236};
inline constexpr Color kLogBackground{128, 255, 128};

inline constexpr std::array<int, 3> kStatusPartWidths{150, 300, 200};
inline constexpr int kProgressMinimum = 0;
inline constexpr int kProgressMaximum = 100;

// Menu tree. An entry with text nullptr is a separator.
struct MenuEntry {
    const char* text;
    const char* shortcut;  // "" when none
    bool checkable;
};
inline constexpr MenuEntry kSeparator{nullptr, "", false};

inline constexpr const char* kMenuFtp = "FTP管理(&F)";
inline constexpr std::array<MenuEntry, 5> kMenuFtpEntries{{
    {"连接(&L)", "F5", false},
    {"断开(&D)", "F6", false},
    kSeparator,
    {"启动窗口自动连接(&Q)", "", true},
    {"FTP服务器管理(&F)", "Ctrl+G", false},
}};
inline constexpr const char* kMenuLocal = "本地文件(&B)";
inline constexpr std::array<MenuEntry, 8> kMenuLocalEntries{{
    {"上传(&C)", "", false},
    {"打开(&D)", "", false},
    {"用记事本打开(&Y)", "", false},
    kSeparator,
    {"删除(&S)", "", false},
    {"全部删除(&Q)", "", false},
    {"选择目录(&X)", "", false},
    {"刷新(&X)", "", false},
}};
inline constexpr const char* kMenuRemote = "远程文件(&Y)";
inline constexpr std::array<MenuEntry, 8> kMenuRemoteEntries{{
    {"下载(&X)", "", false},
    {"全部下载(&Q)", "", false},
    {"另存为(&L)", "", false},
    kSeparator,
    {"创建目录(&C)", "", false},
    {"删除文件或目录(&S)", "", false},
    {"重命名(&M)", "", false},
    {"刷新(&A)", "", false},
}};
inline constexpr const char* kMenuHelp = "帮助(&H)";
inline constexpr std::array<MenuEntry, 2> kMenuHelpEntries{{
    {"使用帮助(&B)", "", false},
    {"关于(&G)", "", false},
}};

// Toolbar buttons by number: picture index (-1: separator) and hint text.
struct ToolButton {
    int picture;
    const char* hint;
};
inline constexpr std::array<ToolButton, 5> kToolButtons{{
    {2, "连接"},
    {3, "断开"},
    {-1, ""},
    {0, "上传"},
    {1, "下载"},
}};
inline constexpr int kToolPictureCount = 4;  // 0 upload, 1 download, 2 connect, 3 disconnect
inline constexpr int kToolPictureSize = 24;
inline constexpr int kFileIconCount = 12;
inline constexpr int kFileIconSize = 32;

}  // namespace lumaro::ui::design
