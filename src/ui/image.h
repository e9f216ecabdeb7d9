#pragma once
// Image: one picture of an icon list or a toolbar.
#include <cstdint>
#include <vector>

namespace lumaro::ui {

// Pixels are 32-bit 0xAARRGGBB, NOT premultiplied (alpha 0 = fully transparent), stored row by
// row from the top-left corner; pixels.size() == width * height.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool isValid() const {
        return width > 0 && height > 0 &&
               pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    std::uint32_t pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
    bool operator==(const Image&) const = default;
};

}  // namespace lumaro::ui
