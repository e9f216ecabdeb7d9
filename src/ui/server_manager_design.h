#pragma once
// The designed values of the server-management window's controls (GB18030 literals).
#include "ui/control.h"

namespace lumaro::ui::design {

inline constexpr const char* kServerCaption = "FTP服务器管理";
inline constexpr Rect kServerOuter{50, 50, 365, 241};

struct Field {
    const char* text;
    Rect place;
    int limit;  // input limit in GB18030 bytes, 0 for none
};

inline constexpr Field k服务器_标签4{"服务器名称：", {14, 11, 72, 19}, 0};
inline constexpr Field k组合框_服务器名称{"", {87, 9, 136, 20}, 60};
inline constexpr Field k按钮4{"保存", {231, 9, 48, 24}, 0};
inline constexpr Field k按钮5{"删除", {290, 9, 48, 24}, 0};
inline constexpr Field k服务器_标签1{"服务器地址：", {14, 38, 72, 24}, 0};
inline constexpr Field k编辑框_服务器地址{"", {87, 39, 136, 22}, 20};
inline constexpr Field k服务器_标签5{"端口：", {229, 38, 40, 24}, 0};
inline constexpr Field k编辑框_端口{"21", {267, 39, 53, 22}, 12};
inline constexpr Field k服务器_标签2{"用户名：", {37, 68, 49, 24}, 0};
inline constexpr Field k编辑框_用户名{"", {87, 68, 136, 22}, 26};
inline constexpr Field k服务器_标签3{"密码：", {46, 98, 40, 24}, 0};
inline constexpr Field k编辑框_密码{"", {87, 98, 136, 22}, 20};
inline constexpr Field k按钮3{"连接", {95, 137, 70, 34}, 0};
inline constexpr Field k按钮2{"取消", {195, 137, 70, 34}, 0};

}  // namespace lumaro::ui::design
