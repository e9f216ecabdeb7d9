#pragma once
// The desktop's icon for a path, drawn over a background colour and returned as the bytes of
// a BMP file (see picture.h). The icon is the one the desktop shows for the file's type (its
// MIME type's theme icon); when the desktop offers none, or no GUI application object exists,
// a plain document picture is drawn instead.
//
// Threads: any. The drawing itself runs on the GUI thread: a call from another thread hands it
// over and waits at most a few seconds, then falls back to the plain picture, so a busy or
// blocked GUI thread never hangs a worker. Pictures of types whose files all look the same are
// kept and reused; never those of executables, icon files and shortcuts, whose icons are
// their own.

#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro::shell {

inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;

// `path` is a GB18030 text; `background` is 0xRRGGBB; width and height are cut to 1..256.
std::string renderFileIcon(std::string_view path, int width = 32, int height = 32,
                           std::uint32_t background = kWhite);

// Forgets the kept pictures (tests, and a change of icon theme).
void clearRenderedIconCache();

}  // namespace lumaro::shell
