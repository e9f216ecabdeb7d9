#pragma once
// Small binary fixtures built byte by byte: icon files, device-independent bitmaps, PE and NE
// executables with and without icon resources, and shortcut files. Used by the shell and
// icon tests; nothing here comes from another program.

#include <cstdint>
#include <string>
#include <vector>

namespace lumaro::fixtures {

void putU16(std::string& out, std::uint32_t value);
void putU32(std::string& out, std::uint32_t value);

// A square 32-bit icon bitmap (colour rows bottom-up, then an all-zero mask) whose pixel
// (x, y) from the top-left is `argb(x, y)`.
std::string dib32(int size, std::uint32_t (*argb)(int x, int y));
// A 4-bit bitmap with a 16-colour palette; pixel (x, y) takes palette[index(x, y)], and the
// mask makes the left half transparent.
std::string dib4(int size, const std::vector<std::uint32_t>& palette, int (*index)(int x, int y));

struct IcoImage {
    int size;  // 256 is written as 0
    int bitCount;
    std::string data;
};
std::string ico(const std::vector<IcoImage>& images);

struct Resource {
    std::uint32_t type;
    std::uint32_t id;
    std::string data;
};
// The group-icon directory naming icon resources by id.
std::string groupIconDirectory(const std::vector<IcoImage>& images,
                               const std::vector<std::uint16_t>& ids);
// A minimal PE32 image with one ".rsrc" section holding `resources` (none: no resource
// directory at all).
std::string peExecutable(const std::vector<Resource>& resources);
// A minimal NE image (the format of .icl libraries) holding `resources`.
std::string neLibrary(const std::vector<Resource>& resources);
// A PE holding one icon (group id 1, image id 1) made of `image`.
std::string peWithIcon(const IcoImage& image);

// Shortcut files.
std::string shortcutWithLocalPath(const std::string& basePath, const std::string& suffix);
std::string shortcutWithUnicodePath(const std::u16string& basePath);
std::string shortcutWithNetworkPath(const std::string& netName, const std::string& suffix);
std::string shortcutWithItemList(const std::string& drive, const std::vector<std::string>& names);
std::string shortcutWithRelativePath(const std::string& relative);

}  // namespace lumaro::fixtures
