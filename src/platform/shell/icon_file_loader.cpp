#include "platform/shell/icon_file_loader.h"

#include <QImage>

#include <cstdlib>
#include <limits>

#include "platform/shell/byte_reader.h"

namespace lumaro::shell {

namespace {

constexpr std::size_t kMaxIcoBytes = 16u << 20;
constexpr int kMaxSide = 1024;

struct Entry {
    int width;
    int height;
    int bitCount;
    std::string_view data;
};

std::optional<Entry> nearestEntry(const ByteReader& reader, int width) {
    const auto type = reader.u16(2);
    const auto count = reader.u16(4);
    if (!type || *type != 1 || !count) {
        return std::nullopt;
    }
    std::optional<Entry> best;
    for (std::size_t i = 0; i < *count && i < 256; ++i) {
        const std::size_t at = 6 + 16 * i;
        const auto w = reader.u8(at);
        const auto h = reader.u8(at + 1);
        const auto bits = reader.u16(at + 6);
        const auto size = reader.u32(at + 8);
        const auto offset = reader.u32(at + 12);
        if (!w || !h || !bits || !size || !offset) {
            break;
        }
        const auto data = reader.span(*offset, *size);
        if (!data) {
            continue;
        }
        const Entry entry{*w == 0 ? 256 : *w, *h == 0 ? 256 : *h, *bits, *data};
        const auto distance = [width](const Entry& e) { return std::abs(e.width - width); };
        if (!best || distance(entry) < distance(*best) ||
            (distance(entry) == distance(*best) && entry.bitCount > best->bitCount)) {
            best = entry;
        }
    }
    return best;
}

// A device-independent bitmap as icons store it: the colour rows, then a 1-bit mask where
// 1 means transparent; the header's height counts both.
std::optional<Picture> decodeDib(std::string_view data) {
    const ByteReader reader(data);
    const auto headerSize = reader.u32(0);
    const auto rawWidth = reader.u32(4);
    const auto rawHeight = reader.u32(8);
    const auto bitCount = reader.u16(14);
    const auto compression = reader.u32(16);
    const auto colorsUsed = reader.u32(32);
    if (!headerSize || *headerSize < 40 || !rawWidth || !rawHeight || !bitCount || !compression ||
        !colorsUsed) {
        return std::nullopt;
    }
    const int width = static_cast<int>(*rawWidth);
    const int height = static_cast<int>(*rawHeight) / 2;
    const int bits = *bitCount;
    if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide ||
        (*compression != 0 && !(*compression == 3 && bits == 32)) ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        return std::nullopt;
    }
    std::size_t paletteCount = 0;
    if (bits <= 8) {
        paletteCount = *colorsUsed != 0 && *colorsUsed <= (1u << bits) ? *colorsUsed : 1u << bits;
    }
    std::size_t at = *headerSize + (*compression == 3 ? 12 : 0);
    const std::size_t paletteAt = at;
    at += paletteCount * 4;
    const std::size_t colorStride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t colorAt = at;
    const std::size_t maskAt = colorAt + colorStride * height;
    if (!reader.has(colorAt, colorStride * height)) {
        return std::nullopt;
    }
    const bool hasMask = reader.has(maskAt, maskStride * height);

    Picture picture{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;  // rows are stored bottom-up
        const std::size_t line = colorAt + colorStride * row;
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            if (bits == 32) {
                const std::size_t p = line + 4 * std::size_t(x);
                argb = *reader.u8(p) | *reader.u8(p + 1) << 8 | *reader.u8(p + 2) << 16 |
                       static_cast<std::uint32_t>(*reader.u8(p + 3)) << 24;
                anyAlpha = anyAlpha || (argb >> 24) != 0;
            } else if (bits == 24) {
                const std::size_t p = line + 3 * std::size_t(x);
                argb =
                    0xFF000000u | *reader.u8(p) | *reader.u8(p + 1) << 8 | *reader.u8(p + 2) << 16;
            } else {
                const std::size_t bitIndex = std::size_t(x) * bits;
                const std::uint8_t byte = *reader.u8(line + bitIndex / 8);
                const unsigned shift = 8 - bits - bitIndex % 8;
                const std::size_t index = (byte >> shift) & ((1u << bits) - 1);
                if (index < paletteCount) {
                    const std::size_t p = paletteAt + 4 * index;
                    argb = 0xFF000000u | *reader.u8(p) | *reader.u8(p + 1) << 8 |
                           *reader.u8(p + 2) << 16;
                }
            }
            picture.pixels[std::size_t(y) * width + x] = argb;
        }
    }
    // Below 32 bits, and for 32-bit images whose alpha is all zero, the mask decides.
    if (bits < 32 || !anyAlpha) {
        for (int row = 0; row < height; ++row) {
            const int y = height - 1 - row;
            for (int x = 0; x < width; ++x) {
                bool transparent = false;
                if (hasMask) {
                    const std::uint8_t byte = *reader.u8(maskAt + maskStride * row + x / 8);
                    transparent = (byte >> (7 - x % 8)) & 1;
                }
                std::uint32_t& pixel = picture.pixels[std::size_t(y) * width + x];
                pixel = transparent ? 0 : (pixel | 0xFF000000u);
            }
        }
    }
    return picture;
}

std::optional<Picture> decodePng(std::string_view data) {
    QImage image;
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
        !image.loadFromData(reinterpret_cast<const uchar*>(data.data()),
                            static_cast<int>(data.size()), "PNG")) {
        return std::nullopt;
    }
    if (image.width() > kMaxSide || image.height() > kMaxSide) {
        return std::nullopt;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    Picture picture{image.width(), image.height(), {}};
    picture.pixels.reserve(std::size_t(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + image.width());
    }
    return picture;
}

Picture scaled(const Picture& source, int width, int height) {
    if (source.width == width && source.height == height) {
        return source;
    }
    QImage image(reinterpret_cast<const uchar*>(source.pixels.data()), source.width, source.height,
                 source.width * 4, QImage::Format_ARGB32);
    const QImage result =
        image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(result.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + width);
    }
    return picture;
}

}  // namespace

std::optional<Picture> decodeIcoImage(std::string_view icoBytes, int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return std::nullopt;
    }
    const ByteReader reader(icoBytes);
    const auto entry = nearestEntry(reader, width);
    if (!entry) {
        return std::nullopt;
    }
    const bool png = entry->data.substr(0, 4) == std::string_view("\x89PNG", 4);
    const auto picture = png ? decodePng(entry->data) : decodeDib(entry->data);
    if (!picture) {
        return std::nullopt;
    }
    return scaled(*picture, width, height);
}

std::optional<Picture> loadFirstIcon(std::string_view icoPath, int width, int height) {
    const auto bytes = readFileBytes(icoPath, kMaxIcoBytes);
    return bytes ? decodeIcoImage(*bytes, width, height) : std::nullopt;
}

}  // namespace lumaro::shell
