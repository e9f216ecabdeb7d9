#include "platform/shell/picture.h"

namespace lumaro::shell {

namespace {

void putU16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

}  // namespace

std::string encodeBmp(const Picture& picture) {
    if (!picture.isValid()) {
        return {};
    }
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(picture.pixels.size()) * 4;
    std::string out;
    out.reserve(54 + pixelBytes);
    out += "BM";
    putU32(out, 54 + pixelBytes);
    putU32(out, 0);
    putU32(out, 54);
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(picture.width));
    putU32(out, static_cast<std::uint32_t>(picture.height));  // positive: bottom-up rows
    putU16(out, 1);
    putU16(out, 32);
    putU32(out, 0);  // uncompressed
    putU32(out, pixelBytes);
    putU32(out, 2835);
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t argb =
                picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            out += static_cast<char>(argb & 0xFF);
            out += static_cast<char>(argb >> 8 & 0xFF);
            out += static_cast<char>(argb >> 16 & 0xFF);
            out += '\0';
        }
    }
    return out;
}

Picture genericDocumentPicture(int width, int height, std::uint32_t background) {
    Picture picture{width, height, {}};
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::uint32_t fill = 0xFF000000u | (background & 0xFFFFFF);
    picture.pixels.assign(static_cast<std::size_t>(width) * height, fill);
    const int left = width / 5;
    const int right = width - 1 - width / 5;
    const int top = height / 10;
    const int bottom = height - 1 - height / 10;
    const int fold = width / 4;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool inFold = x > right - fold + (y - top);
            if (inFold) {
                continue;
            }
            const bool edge =
                x == left || x == right || y == top || y == bottom || x == right - fold + (y - top);
            picture.pixels[static_cast<std::size_t>(y) * width + x] =
                edge ? 0xFF808080u : 0xFFFFFFFFu;
        }
    }
    return picture;
}

}  // namespace lumaro::shell
