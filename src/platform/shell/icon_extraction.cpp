#include "platform/shell/icon_extraction.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "platform/filesystem/native_path.h"
#include "platform/shell/byte_reader.h"

namespace lumaro::shell {

namespace {

constexpr std::uint32_t kResourceIcon = 3;
constexpr std::uint32_t kResourceGroupIcon = 14;
constexpr std::size_t kMaxSourceBytes = 64u << 20;
constexpr std::size_t kMaxImages = 64;
constexpr std::size_t kMaxDirectoryEntries = 4096;

// One image of an icon: its directory fields and its bytes.
struct IconImage {
    std::uint8_t width;
    std::uint8_t height;
    std::uint8_t colorCount;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::string_view data;
};

void putU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    putU16(out, static_cast<std::uint16_t>(value >> 16));
}

std::optional<std::string> writeIco(const std::vector<IconImage>& images) {
    if (images.empty()) {
        return std::nullopt;
    }
    std::string out;
    putU16(out, 0);
    putU16(out, 1);
    putU16(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        out += static_cast<char>(image.width);
        out += static_cast<char>(image.height);
        out += static_cast<char>(image.colorCount);
        out += '\0';
        putU16(out, image.planes);
        putU16(out, image.bitCount);
        putU32(out, static_cast<std::uint32_t>(image.data.size()));
        putU32(out, offset);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const IconImage& image : images) {
        out.append(image.data);
    }
    return out;
}

// A group-icon directory entry (14 bytes) names its image by resource id.
struct GroupEntry {
    IconImage fields;
    std::uint32_t bytesInResource;
    std::uint16_t id;
};

// The resource data cut to the size the group directory gives (NE data is padded).
std::string_view imageData(std::string_view data, std::uint32_t bytesInResource) {
    return bytesInResource != 0 && bytesInResource < data.size() ? data.substr(0, bytesInResource)
                                                                 : data;
}

std::vector<GroupEntry> parseGroupDirectory(std::string_view group) {
    const ByteReader reader(group);
    std::vector<GroupEntry> entries;
    const auto type = reader.u16(2);
    const auto count = reader.u16(4);
    if (!type || *type != 1 || !count) {
        return entries;
    }
    for (std::size_t i = 0; i < *count && i < kMaxImages; ++i) {
        const std::size_t at = 6 + 14 * i;
        const auto id = reader.u16(at + 12);
        if (!id) {
            break;
        }
        entries.push_back({{*reader.u8(at),
                            *reader.u8(at + 1),
                            *reader.u8(at + 2),
                            *reader.u16(at + 4),
                            *reader.u16(at + 6),
                            {}},
                           *reader.u32(at + 8),
                           *id});
    }
    return entries;
}

// ---- icon files

std::optional<std::string> iconFromIco(const ByteReader& reader) {
    const auto reserved = reader.u16(0);
    const auto type = reader.u16(2);
    const auto count = reader.u16(4);
    if (!reserved || *reserved != 0 || !type || *type != 1 || !count || *count == 0) {
        return std::nullopt;
    }
    std::vector<IconImage> images;
    for (std::size_t i = 0; i < *count && i < kMaxImages; ++i) {
        const std::size_t at = 6 + 16 * i;
        const auto size = reader.u32(at + 8);
        const auto offset = reader.u32(at + 12);
        if (!size || !offset || *size == 0) {
            continue;
        }
        const auto data = reader.span(*offset, *size);
        if (!data) {
            continue;  // an image that runs past the end of the file is left out
        }
        images.push_back({*reader.u8(at), *reader.u8(at + 1), *reader.u8(at + 2),
                          *reader.u16(at + 4), *reader.u16(at + 6), *data});
    }
    return writeIco(images);
}

// ---- PE executables and libraries

class PeResources {
public:
    explicit PeResources(const ByteReader& file) : m_file(file) {}

    bool load() {
        const auto peOffset = m_file.u32(0x3C);
        if (!peOffset || m_file.span(*peOffset, 4) != std::string_view("PE\0\0", 4)) {
            return false;
        }
        const std::size_t coff = *peOffset + 4;
        const auto sections = m_file.u16(coff + 2);
        const auto optionalSize = m_file.u16(coff + 16);
        const std::size_t optional = coff + 20;
        const auto magic = m_file.u16(optional);
        if (!sections || !optionalSize || !magic) {
            return false;
        }
        const bool plus = *magic == 0x20B;
        if (!plus && *magic != 0x10B) {
            return false;
        }
        const auto directoryCount = m_file.u32(optional + (plus ? 108 : 92));
        if (!directoryCount || *directoryCount < 3) {
            return false;
        }
        const auto resourceRva = m_file.u32(optional + (plus ? 112 : 96) + 2 * 8);
        if (!resourceRva || *resourceRva == 0) {
            return false;
        }
        m_sectionTable = optional + *optionalSize;
        m_sectionCount = *sections;
        const auto base = fileOffset(*resourceRva);
        if (!base) {
            return false;
        }
        m_resourceBase = *base;
        return true;
    }

    // Data of the first language of resource (type, index-th entry) or (type, id).
    std::optional<std::string_view> firstOfType(std::uint32_t type) const {
        const auto typeDir = subdirectory(
            m_resourceBase, [type](std::uint32_t name, std::size_t) { return name == type; });
        if (!typeDir) {
            return std::nullopt;
        }
        const auto nameDir =
            subdirectory(*typeDir, [](std::uint32_t, std::size_t) { return true; });
        return nameDir ? firstLanguage(*nameDir) : std::nullopt;
    }

    std::optional<std::string_view> byId(std::uint32_t type, std::uint16_t id) const {
        const auto typeDir = subdirectory(
            m_resourceBase, [type](std::uint32_t name, std::size_t) { return name == type; });
        if (!typeDir) {
            return std::nullopt;
        }
        const auto nameDir =
            subdirectory(*typeDir, [id](std::uint32_t name, std::size_t) { return name == id; });
        return nameDir ? firstLanguage(*nameDir) : std::nullopt;
    }

private:
    std::optional<std::size_t> fileOffset(std::uint32_t rva) const {
        for (std::size_t i = 0; i < m_sectionCount && i < 96; ++i) {
            const std::size_t at = m_sectionTable + 40 * i;
            const auto virtualSize = m_file.u32(at + 8);
            const auto virtualAddress = m_file.u32(at + 12);
            const auto rawSize = m_file.u32(at + 16);
            const auto rawPointer = m_file.u32(at + 20);
            if (!virtualSize || !virtualAddress || !rawSize || !rawPointer) {
                return std::nullopt;
            }
            const std::uint64_t extent = std::max(*virtualSize, *rawSize);
            if (rva >= *virtualAddress && rva < std::uint64_t{*virtualAddress} + extent) {
                return std::size_t{*rawPointer} + (rva - *virtualAddress);
            }
        }
        return std::nullopt;
    }

    // The first entry of the directory at `dir` accepted by `accept(nameOrId, index)` that
    // leads to a subdirectory; its file offset. Named entries carry the high bit in their
    // name field and never equal a plain id.
    template <typename Accept>
    std::optional<std::size_t> subdirectory(std::size_t dir, Accept accept) const {
        const auto named = m_file.u16(dir + 12);
        const auto ids = m_file.u16(dir + 14);
        if (!named || !ids) {
            return std::nullopt;
        }
        const std::size_t count = std::min<std::size_t>(*named + *ids, kMaxDirectoryEntries);
        for (std::size_t i = 0; i < count; ++i) {
            const auto name = m_file.u32(dir + 16 + 8 * i);
            const auto target = m_file.u32(dir + 16 + 8 * i + 4);
            if (!name || !target) {
                return std::nullopt;
            }
            if ((*target & 0x80000000u) && accept(*name, i)) {
                // The walk has a fixed depth of three, so a damaged offset cannot loop.
                return m_resourceBase + (*target & 0x7FFFFFFFu);
            }
        }
        return std::nullopt;
    }

    std::optional<std::string_view> firstLanguage(std::size_t dir) const {
        const auto named = m_file.u16(dir + 12);
        const auto ids = m_file.u16(dir + 14);
        if (!named || !ids || *named + *ids == 0) {
            return std::nullopt;
        }
        const auto target = m_file.u32(dir + 16 + 4);
        if (!target || (*target & 0x80000000u)) {
            return std::nullopt;
        }
        const std::size_t entry = m_resourceBase + *target;
        const auto dataRva = m_file.u32(entry);
        const auto size = m_file.u32(entry + 4);
        if (!dataRva || !size) {
            return std::nullopt;
        }
        const auto offset = fileOffset(*dataRva);
        return offset ? m_file.span(*offset, *size) : std::nullopt;
    }

    const ByteReader& m_file;
    std::size_t m_sectionTable = 0;
    std::size_t m_sectionCount = 0;
    std::size_t m_resourceBase = 0;
};

std::optional<std::string> iconFromPe(const ByteReader& file) {
    PeResources resources(file);
    if (!resources.load()) {
        return std::nullopt;
    }
    const auto group = resources.firstOfType(kResourceGroupIcon);
    if (!group) {
        return std::nullopt;
    }
    std::vector<IconImage> images;
    for (GroupEntry& entry : parseGroupDirectory(*group)) {
        if (const auto data = resources.byId(kResourceIcon, entry.id)) {
            entry.fields.data = imageData(*data, entry.bytesInResource);
            images.push_back(entry.fields);
        }
    }
    return writeIco(images);
}

// ---- NE icon libraries (.icl) and old executables

struct NeResource {
    std::uint16_t type;
    std::uint16_t id;
    std::string_view data;
};

std::vector<NeResource> neResources(const ByteReader& file, std::size_t neOffset) {
    std::vector<NeResource> resources;
    const auto tableOffset = file.u16(neOffset + 0x24);
    if (!tableOffset) {
        return resources;
    }
    std::size_t at = neOffset + *tableOffset;
    const auto shift = file.u16(at);
    if (!shift || *shift > 16) {
        return resources;
    }
    at += 2;
    for (std::size_t types = 0; types < 256; ++types) {
        const auto type = file.u16(at);
        const auto count = file.u16(at + 2);
        if (!type || *type == 0 || !count) {
            break;
        }
        at += 8;
        for (std::size_t i = 0; i < *count; ++i, at += 12) {
            const auto offset = file.u16(at);
            const auto length = file.u16(at + 2);
            const auto id = file.u16(at + 6);
            if (!offset || !length || !id) {
                return resources;
            }
            const auto data =
                file.span(std::size_t{*offset} << *shift, std::size_t{*length} << *shift);
            if (data && resources.size() < kMaxDirectoryEntries) {
                resources.push_back({*type, *id, *data});
            }
        }
    }
    return resources;
}

std::optional<std::string> iconFromNe(const ByteReader& file, std::size_t neOffset) {
    const std::vector<NeResource> resources = neResources(file, neOffset);
    const NeResource* group = nullptr;
    for (const NeResource& resource : resources) {
        if (resource.type == (0x8000 | kResourceGroupIcon)) {
            group = &resource;
            break;
        }
    }
    if (group == nullptr) {
        return std::nullopt;
    }
    std::vector<IconImage> images;
    for (GroupEntry& entry : parseGroupDirectory(group->data)) {
        for (const NeResource& resource : resources) {
            if (resource.type == (0x8000 | kResourceIcon) &&
                (resource.id & 0x7FFF) == (entry.id & 0x7FFF)) {
                entry.fields.data = imageData(resource.data, entry.bytesInResource);
                images.push_back(entry.fields);
                break;
            }
        }
    }
    return writeIco(images);
}

}  // namespace

std::optional<std::string> firstIconAsIcoFile(std::string_view fileBytes) {
    const ByteReader file(fileBytes);
    if (file.span(0, 2) == std::string_view("MZ")) {
        const auto headerOffset = file.u32(0x3C);
        if (!headerOffset) {
            return std::nullopt;
        }
        if (file.span(*headerOffset, 2) == std::string_view("NE")) {
            return iconFromNe(file, *headerOffset);
        }
        return iconFromPe(file);
    }
    return iconFromIco(file);
}

bool writeFirstIcon(std::string_view sourcePath, std::string_view icoPath) {
    const auto bytes = readFileBytes(sourcePath, kMaxSourceBytes);
    if (!bytes) {
        return false;
    }
    const auto ico = firstIconAsIcoFile(*bytes);
    if (!ico) {
        return false;
    }
    std::ofstream out(filesystem::toNativePath(icoPath), std::ios::binary | std::ios::trunc);
    out.write(ico->data(), static_cast<std::streamsize>(ico->size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace lumaro::shell
