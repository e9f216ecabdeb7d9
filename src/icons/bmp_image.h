#pragma once
// Turns a BMP file image (as the shell layer renders it) into one icon-list image with black
// as the transparent colour: every pure-black pixel becomes fully transparent, every other
// pixel opaque. Pure and thread-safe; damaged input gives nullopt.

#include <optional>
#include <string_view>

#include "ui/image.h"

namespace lumaro::icons {

// `width` × `height` is the size of the image wanted; a BMP of another size is scaled to it
// (nearest pixel). Accepts uncompressed 24- and 32-bit BMPs, bottom-up or top-down.
std::optional<ui::Image> decodeKeyedBmp(std::string_view bmp, int width, int height);

}  // namespace lumaro::icons
