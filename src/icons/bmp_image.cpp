#include "icons/bmp_image.h"

#include <cstdint>
#include <cstdlib>

namespace lumaro::icons {

namespace {

constexpr int kMaxSide = 4096;

std::optional<std::uint32_t> u32(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

std::optional<std::uint16_t> u16(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

}  // namespace

std::optional<ui::Image> decodeKeyedBmp(std::string_view bmp, int width, int height) {
    if (bmp.substr(0, 2) != "BM" || width <= 0 || height <= 0 || width > kMaxSide ||
        height > kMaxSide) {
        return std::nullopt;
    }
    const auto pixelOffset = u32(bmp, 10);
    const auto headerSize = u32(bmp, 14);
    const auto rawWidth = u32(bmp, 18);
    const auto rawHeight = u32(bmp, 22);
    const auto bits = u16(bmp, 28);
    const auto compression = u32(bmp, 30);
    if (!pixelOffset || !headerSize || *headerSize < 40 || !rawWidth || !rawHeight || !bits ||
        !compression || (*bits != 24 && *bits != 32) || (*compression != 0 && *compression != 3)) {
        return std::nullopt;
    }
    const int sourceWidth = static_cast<std::int32_t>(*rawWidth);
    const int signedHeight = static_cast<std::int32_t>(*rawHeight);
    const bool topDown = signedHeight < 0;
    const int sourceHeight = std::abs(signedHeight);
    if (sourceWidth <= 0 || sourceWidth > kMaxSide || sourceHeight <= 0 ||
        sourceHeight > kMaxSide) {
        return std::nullopt;
    }
    const std::size_t bytesPerPixel = *bits / 8;
    const std::size_t stride = (std::size_t(sourceWidth) * bytesPerPixel + 3) / 4 * 4;
    if (*pixelOffset > bmp.size() || bmp.size() - *pixelOffset < stride * sourceHeight) {
        return std::nullopt;
    }
    ui::Image image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const int sourceY = y * sourceHeight / height;
        const int row = topDown ? sourceY : sourceHeight - 1 - sourceY;
        const std::size_t line = *pixelOffset + stride * row;
        for (int x = 0; x < width; ++x) {
            const std::size_t p = line + bytesPerPixel * (std::size_t(x) * sourceWidth / width);
            const std::uint32_t rgb = static_cast<std::uint8_t>(bmp[p]) |
                                      static_cast<std::uint8_t>(bmp[p + 1]) << 8 |
                                      static_cast<std::uint8_t>(bmp[p + 2]) << 16;
            image.pixels[std::size_t(y) * width + x] = rgb == 0 ? 0u : 0xFF000000u | rgb;
        }
    }
    return image;
}

}  // namespace lumaro::icons
