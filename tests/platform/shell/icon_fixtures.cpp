#include "platform/shell/icon_fixtures.h"

#include <map>

namespace lumaro::fixtures {

void putU16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

namespace {

void putAt(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

std::string bitmapHeader(int size, int bits, std::uint32_t colorsUsed) {
    std::string out;
    putU32(out, 40);
    putU32(out, size);
    putU32(out, size * 2);
    putU16(out, 1);
    putU16(out, bits);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, colorsUsed);
    putU32(out, 0);
    return out;
}

std::string maskRows(int size, bool leftHalfTransparent) {
    const int stride = (size + 31) / 32 * 4;
    std::string out;
    for (int row = 0; row < size; ++row) {
        std::string line(stride, '\0');
        if (leftHalfTransparent) {
            for (int x = 0; x < size / 2; ++x) {
                line[x / 8] = static_cast<char>(line[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out += line;
    }
    return out;
}

}  // namespace

std::string dib32(int size, std::uint32_t (*argb)(int x, int y)) {
    std::string out = bitmapHeader(size, 32, 0);
    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row;
        for (int x = 0; x < size; ++x) {
            putU32(out, argb(x, y));
        }
    }
    return out + maskRows(size, false);
}

std::string dib4(int size, const std::vector<std::uint32_t>& palette, int (*index)(int x, int y)) {
    std::string out = bitmapHeader(size, 4, 16);
    for (std::size_t i = 0; i < 16; ++i) {
        putU32(out, i < palette.size() ? palette[i] & 0xFFFFFF : 0);
    }
    const int stride = (size * 4 + 31) / 32 * 4;
    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < size; ++x) {
            const int value = index(x, y) & 0xF;
            line[x / 2] = static_cast<char>(line[x / 2] | (x % 2 == 0 ? value << 4 : value));
        }
        out += line;
    }
    return out + maskRows(size, true);
}

std::string ico(const std::vector<IcoImage>& images) {
    std::string out;
    putU16(out, 0);
    putU16(out, 1);
    putU16(out, images.size());
    std::uint32_t offset = 6 + 16 * images.size();
    for (const IcoImage& image : images) {
        out += static_cast<char>(image.size >= 256 ? 0 : image.size);
        out += static_cast<char>(image.size >= 256 ? 0 : image.size);
        out += '\0';
        out += '\0';
        putU16(out, 1);
        putU16(out, image.bitCount);
        putU32(out, image.data.size());
        putU32(out, offset);
        offset += image.data.size();
    }
    for (const IcoImage& image : images) {
        out += image.data;
    }
    return out;
}

std::string groupIconDirectory(const std::vector<IcoImage>& images,
                               const std::vector<std::uint16_t>& ids) {
    std::string out;
    putU16(out, 0);
    putU16(out, 1);
    putU16(out, images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out += static_cast<char>(images[i].size >= 256 ? 0 : images[i].size);
        out += static_cast<char>(images[i].size >= 256 ? 0 : images[i].size);
        out += '\0';
        out += '\0';
        putU16(out, 1);
        putU16(out, images[i].bitCount);
        putU32(out, images[i].data.size());
        putU16(out, ids[i]);
    }
    return out;
}

namespace {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kSectionFileOffset = 0x200;

// The resource tree: root → types → names → one language → data entry → data.
std::string resourceSection(const std::vector<Resource>& resources) {
    std::map<std::uint32_t, std::vector<const Resource*>> byType;
    for (const Resource& resource : resources) {
        byType[resource.type].push_back(&resource);
    }
    const std::size_t rootSize = 16 + 8 * byType.size();
    std::size_t typeDirsSize = 0;
    for (const auto& [type, list] : byType) {
        typeDirsSize += 16 + 8 * list.size();
    }
    const std::size_t languageDirsSize = resources.size() * (16 + 8);
    const std::size_t dataEntriesAt = rootSize + typeDirsSize + languageDirsSize;
    std::size_t dataAt = dataEntriesAt + 16 * resources.size();

    std::string out;
    const auto directory = [&out](std::size_t entries) {
        putU32(out, 0);
        putU32(out, 0);
        putU16(out, 0);
        putU16(out, 0);
        putU16(out, 0);
        putU16(out, entries);
    };
    directory(byType.size());
    std::size_t next = rootSize;
    for (const auto& [type, list] : byType) {
        putU32(out, type);
        putU32(out, 0x80000000u | next);
        next += 16 + 8 * list.size();
    }
    std::size_t language = rootSize + typeDirsSize;
    for (const auto& [type, list] : byType) {
        directory(list.size());
        for (const Resource* resource : list) {
            putU32(out, resource->id);
            putU32(out, 0x80000000u | language);
            language += 24;
        }
    }
    std::size_t entry = dataEntriesAt;
    std::vector<const Resource*> order;
    for (const auto& [type, list] : byType) {
        for (const Resource* resource : list) {
            directory(1);
            putU32(out, 0x0804);
            putU32(out, entry);
            entry += 16;
            order.push_back(resource);
        }
    }
    for (const Resource* resource : order) {
        putU32(out, kSectionRva + dataAt);
        putU32(out, resource->data.size());
        putU32(out, 0);
        putU32(out, 0);
        dataAt += resource->data.size();
    }
    for (const Resource* resource : order) {
        out += resource->data;
    }
    return out;
}

}  // namespace

std::string peExecutable(const std::vector<Resource>& resources) {
    std::string out(0x40, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    putAt(out, 0x3C, 0x40);
    out += std::string("PE\0\0", 4);
    putU16(out, 0x14C);  // i386
    putU16(out, 1);      // one section
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU16(out, 224);  // optional header size
    putU16(out, 0x0102);
    const std::size_t optional = out.size();
    out += std::string(224, '\0');
    out[optional] = 0x0B;
    out[optional + 1] = 0x01;
    const std::string section = resources.empty() ? std::string() : resourceSection(resources);
    putAt(out, optional + 92, 16);
    if (!resources.empty()) {
        putAt(out, optional + 96 + 16, kSectionRva);
        putAt(out, optional + 96 + 20, section.size());
    }
    std::string header(".rsrc\0\0\0", 8);
    putU32(header, section.size());
    putU32(header, kSectionRva);
    putU32(header, section.size());
    putU32(header, kSectionFileOffset);
    header += std::string(12, '\0');
    putU32(header, 0x40000040);
    out += header;
    out.resize(kSectionFileOffset, '\0');
    return out + section;
}

std::string neLibrary(const std::vector<Resource>& resources) {
    constexpr int kShift = 4;
    std::string out(0x40, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    putAt(out, 0x3C, 0x40);
    std::string ne(0x40, '\0');
    ne[0] = 'N';
    ne[1] = 'E';
    ne[0x24] = 0x40;  // resource table right after the 64-byte header
    out += ne;
    std::map<std::uint32_t, std::vector<const Resource*>> byType;
    for (const Resource& resource : resources) {
        byType[resource.type].push_back(&resource);
    }
    std::string table;
    putU16(table, kShift);
    std::size_t tableSize = 2 + 2;
    for (const auto& [type, list] : byType) {
        tableSize += 8 + 12 * list.size();
    }
    std::size_t dataAt = (out.size() + tableSize + 15) / 16 * 16;
    std::string data;
    for (const auto& [type, list] : byType) {
        putU16(table, 0x8000 | type);
        putU16(table, list.size());
        putU32(table, 0);
        for (const Resource* resource : list) {
            const std::size_t units = (resource->data.size() + 15) / 16;
            putU16(table, (dataAt + data.size()) >> kShift);
            putU16(table, units);
            putU16(table, 0x30);
            putU16(table, 0x8000 | resource->id);
            putU32(table, 0);
            data += resource->data;
            data.resize((data.size() + 15) / 16 * 16, '\0');
        }
    }
    putU16(table, 0);
    out += table;
    out.resize(dataAt, '\0');
    return out + data;
}

std::string peWithIcon(const IcoImage& image) {
    return peExecutable({{14, 1, groupIconDirectory({image}, {1})}, {3, 1, image.data}});
}

namespace {

constexpr std::uint32_t kHasIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kIsUnicode = 0x80;

std::string linkHeader(std::uint32_t flags) {
    std::string out;
    putU32(out, 0x4C);
    out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
    putU32(out, flags);
    putU32(out, 0x20);
    out += std::string(24, '\0');
    putU32(out, 1234);
    putU32(out, 0);
    putU32(out, 1);
    putU16(out, 0);
    out += std::string(10, '\0');
    return out;
}

std::string volumeId() {
    std::string out;
    putU32(out, 0x11);
    putU32(out, 3);
    putU32(out, 0x12345678);
    putU32(out, 0x10);
    out += '\0';
    return out;
}

}  // namespace

std::string shortcutWithLocalPath(const std::string& basePath, const std::string& suffix) {
    const std::string volume = volumeId();
    const std::uint32_t baseAt = 0x1C + volume.size();
    const std::uint32_t suffixAt = baseAt + basePath.size() + 1;
    std::string info;
    putU32(info, suffixAt + suffix.size() + 1);
    putU32(info, 0x1C);
    putU32(info, 1);
    putU32(info, 0x1C);
    putU32(info, baseAt);
    putU32(info, 0);
    putU32(info, suffixAt);
    info += volume + basePath + '\0' + suffix + '\0';
    return linkHeader(kHasLinkInfo) + info + std::string(4, '\0');
}

std::string shortcutWithUnicodePath(const std::u16string& basePath) {
    const std::string volume = volumeId();
    const std::uint32_t ansiAt = 0x24 + volume.size();
    const std::uint32_t suffixAt = ansiAt + 2;  // ANSI "?" + NUL
    const std::uint32_t wideAt = suffixAt + 1;
    std::string wide;
    for (char16_t unit : basePath) {
        putU16(wide, unit);
    }
    putU16(wide, 0);
    const std::uint32_t wideSuffixAt = wideAt + wide.size();
    std::string info;
    putU32(info, wideSuffixAt + 2);
    putU32(info, 0x24);
    putU32(info, 1);
    putU32(info, 0x24);
    putU32(info, ansiAt);
    putU32(info, 0);
    putU32(info, suffixAt);
    putU32(info, wideAt);
    putU32(info, wideSuffixAt);
    info += volume + std::string("?\0\0", 3) + wide + std::string(2, '\0');
    return linkHeader(kHasLinkInfo | kIsUnicode) + info + std::string(4, '\0');
}

std::string shortcutWithNetworkPath(const std::string& netName, const std::string& suffix) {
    std::string network;
    putU32(network, 0x14 + netName.size() + 1);
    putU32(network, 0);
    putU32(network, 0x14);
    putU32(network, 0);
    putU32(network, 0);
    network += netName + '\0';
    const std::uint32_t networkAt = 0x1C;
    const std::uint32_t suffixAt = networkAt + network.size();
    std::string info;
    putU32(info, suffixAt + suffix.size() + 1);
    putU32(info, 0x1C);
    putU32(info, 2);
    putU32(info, 0);
    putU32(info, 0);
    putU32(info, networkAt);
    putU32(info, suffixAt);
    info += network + suffix + '\0';
    return linkHeader(kHasLinkInfo) + info + std::string(4, '\0');
}

std::string shortcutWithItemList(const std::string& drive, const std::vector<std::string>& names) {
    std::string list;
    std::string root;
    root += '\x1F';
    root += '\x50';
    root += std::string(16, '\x11');
    putU16(list, root.size() + 2);
    list += root;
    std::string volume = "\x2F" + drive + std::string(22 - drive.size(), '\0');
    putU16(list, volume.size() + 2);
    list += volume;
    for (const std::string& name : names) {
        std::string item;
        item += '\x32';
        item += '\0';
        putU32(item, 10);
        putU32(item, 0);
        putU16(item, 0x20);
        item += name + '\0';
        if (item.size() % 2 != 0) {
            item += '\0';
        }
        putU16(list, item.size() + 2);
        list += item;
    }
    putU16(list, 0);
    std::string out = linkHeader(kHasIdList);
    putU16(out, list.size());
    return out + list + std::string(4, '\0');
}

std::string shortcutWithRelativePath(const std::string& relative) {
    std::string out = linkHeader(kHasRelativePath);
    putU16(out, relative.size());
    return out + relative + std::string(4, '\0');
}

}  // namespace lumaro::fixtures
