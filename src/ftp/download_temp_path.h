#pragma once
// Where a download is written while it runs: a name beside the final file, so the rename
// that completes it never crosses file systems. The progress display watches this file.

#include <string>
#include <string_view>

namespace lumaro::ftp {

// "/home/u/a.txt" → "/home/u/a.txt.lumaro-part". Pure; works on GB18030 texts and on their
// UTF-8 forms alike (only ASCII is appended), and for "\"-separated paths too.
std::string downloadTempPath(std::string_view finalPath);

}  // namespace lumaro::ftp
