#pragma once
// The extension table of the twelve file-type icons and the list of icon-holding types.
// Pure and thread-safe.

#include <optional>
#include <string_view>

namespace lumaro::icons {

// Index order of the icon set: 0 folder, 1 graphic, 2 paint, 3 photo, 4 application,
// 5 other file, 6 settings, 7 text, 8 library/database, 9 script, 10 archive, 11 web page.
inline constexpr int kFolderIcon = 0;
inline constexpr int kGraphicIcon = 1;
inline constexpr int kApplicationIcon = 4;
inline constexpr int kOtherFileIcon = 5;
inline constexpr int kFileTypeIconCount = 12;

inline constexpr std::string_view kExtensionTable =
    ";txt 7;ini 6;gif 1;png 1;bmp 2;jpg 3;dll 8;db 8;asp 9;rar 10;htm 11;html 11;";
inline constexpr std::string_view kIconHoldingTypes = ",EXE,DLL,ICL,ICO,";

// The number written after ";" + extension + " " in the table, ignoring letter case
// (the blank keeps "htm" from matching "html"); nullopt when the key is not found.
std::optional<int> tableIndexFor(std::string_view extension);

// True when "," + extension + "," occurs in the icon-holding list, ignoring letter case.
bool holdsIcons(std::string_view extension);

}  // namespace lumaro::icons
