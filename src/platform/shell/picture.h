#pragma once
// Pictures handed between the shell layer and the system: 32-bit 0xAARRGGBB pixels, not
// premultiplied, row by row from the top-left corner. Plain data, no Qt.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/image.h"

namespace lumaro::shell {

// The same plain pixel data as an image of the window layer's icon lists, so a picture
// goes into a list as it is.
using Picture = ui::Image;

// A standard BMP file image of the picture: file header, information header, no colour
// table, 32 bits per pixel, rows from the bottom up. The fourth byte of each pixel is 0,
// as a captured screen surface gives it.
std::string encodeBmp(const Picture& picture);

// A plain document drawn over `background` (0xRRGGBB), for when the desktop offers no icon.
Picture genericDocumentPicture(int width, int height, std::uint32_t background);

}  // namespace lumaro::shell
