#pragma once
// A picture handed between the shell layer and the system: 32-bit 0xAARRGGBB pixels, not
// premultiplied, row by row from the top-left corner. Plain data, no Qt.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::shell {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool isValid() const {
        return width > 0 && height > 0 &&
               pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    std::uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    bool operator==(const Picture&) const = default;
};

// A standard BMP file image of the picture: file header, information header, no colour
// table, 32 bits per pixel, rows from the bottom up. The fourth byte of each pixel is 0,
// as a captured screen surface gives it.
std::string encodeBmp(const Picture& picture);

// A plain document drawn over `background` (0xRRGGBB), for when the desktop offers no icon.
Picture genericDocumentPicture(int width, int height, std::uint32_t background);

}  // namespace lumaro::shell
