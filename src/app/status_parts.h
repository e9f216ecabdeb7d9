#pragma once
// The three parts of the status bar 状态条1 and the texts that double as state.
//
// Threads: any (each read or write is one whole access of the window layer). Because any later
// operation may overwrite a part, the state tests see whatever text was written last.

#include <string>
#include <string_view>

#include "ui/status_bar.h"

namespace lumaro::app {

inline constexpr int kConnectionPart = 0;  // connection state
inline constexpr int kOperationPart = 1;   // the operation under way, then its verdict
inline constexpr int kCountsPart = 2;      // running and final counts of a transfer
inline constexpr int kStatusPartCount = 3;

// Part 0 reads exactly this while the last connect worked.
inline constexpr std::string_view kConnectedText = "连接服务器成功";
// Part 1 reads exactly this while a remote delete runs.
inline constexpr std::string_view kDeletingText = "正在删除文件...";

// An index outside 0..2 makes the write do nothing and the read give "".
void setStatusPart(ui::StatusBar& bar, int part, std::string_view text);
std::string statusPart(const ui::StatusBar& bar, int part);

bool statusSaysConnected(const ui::StatusBar& bar);
bool statusSaysDeleting(const ui::StatusBar& bar);

}  // namespace lumaro::app
