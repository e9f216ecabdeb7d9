#include "platform/shell/shortcut_target.h"

#include <optional>

#include "platform/shell/byte_reader.h"
#include "platform/text/encoding.h"

namespace lumaro::shell {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// The shell-link class identifier 00021401-0000-0000-C000-000000000046 as stored.
constexpr std::string_view kLinkClsid{
    "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16};

constexpr std::uint32_t kHasIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kIsUnicode = 0x80;

constexpr std::uint32_t kVolumeAndLocalPath = 0x01;
constexpr std::uint32_t kNetworkAndSuffix = 0x02;

// Shortcut files are small; anything beyond this is not read.
constexpr std::size_t kMaxShortcutBytes = 1 << 20;
constexpr int kMaxItems = 64;

std::string wideToGb(const std::u16string& wide) {
    return text::fromUtf8(utf16ToUtf8(wide));
}

std::optional<std::string> ansiAt(const ByteReader& reader, std::size_t offset) {
    const auto raw = reader.cString(offset);
    return raw ? std::optional<std::string>(std::string(*raw)) : std::nullopt;
}

// A path string of the link information: the Unicode form when the header has one, else ANSI
// (the system code page, the same GBK bytes the system uses).
std::optional<std::string> linkInfoString(const ByteReader& info, std::uint32_t headerSize,
                                          std::size_t ansiField, std::size_t wideField) {
    if (headerSize >= 0x24) {
        const auto wideOffset = info.u32(wideField);
        if (wideOffset && *wideOffset != 0) {
            if (const auto wide = info.wideString(*wideOffset)) {
                return wideToGb(*wide);
            }
        }
    }
    const auto offset = info.u32(ansiField);
    if (!offset || *offset == 0) {
        return std::nullopt;
    }
    return ansiAt(info, *offset);
}

std::string targetFromLinkInfo(const ByteReader& info) {
    const auto headerSize = info.u32(4);
    const auto flags = info.u32(8);
    if (!headerSize || !flags || *headerSize < 0x1C) {
        return {};
    }
    const std::string suffix = linkInfoString(info, *headerSize, 0x18, 0x20).value_or("");
    if (*flags & kVolumeAndLocalPath) {
        if (const auto base = linkInfoString(info, *headerSize, 0x10, 0x1C)) {
            if (!base->empty()) {
                return *base + suffix;
            }
        }
    }
    if (*flags & kNetworkAndSuffix) {
        const auto linkOffset = info.u32(0x14);
        if (linkOffset && *linkOffset != 0) {
            const auto netNameOffset = info.u32(*linkOffset + 8);
            if (netNameOffset) {
                const auto netName = ansiAt(info, std::size_t{*linkOffset} + *netNameOffset);
                if (netName && !netName->empty()) {
                    return suffix.empty() ? *netName : *netName + "\\" + suffix;
                }
            }
        }
    }
    return {};
}

// Drive items hold "C:\"; file items hold the entry's (often short) name. Enough to name the
// target where the link information is missing.
std::string targetFromIdList(const ByteReader& list) {
    std::string path;
    std::size_t at = 0;
    for (int items = 0; items < kMaxItems; ++items) {
        const auto itemSize = list.u16(at);
        if (!itemSize || *itemSize == 0 || *itemSize < 3 || !list.has(at, *itemSize)) {
            break;
        }
        const ByteReader item(*list.span(at, *itemSize));
        const std::uint8_t type = *item.u8(2);
        if ((type & 0x70) == 0x20) {
            if (const auto drive = item.cString(3)) {
                path = std::string(*drive);
            }
        } else if ((type & 0x70) == 0x30) {
            std::optional<std::string> name;
            if (type & 0x04) {
                if (const auto wide = item.wideString(14)) {
                    name = wideToGb(*wide);
                }
            } else {
                name = ansiAt(item, 14);
            }
            if (name && !name->empty()) {
                if (!path.empty() && path.back() != '\\') {
                    path += '\\';
                }
                path += *name;
            }
        }
        at += *itemSize;
    }
    return path;
}

// The relative path: the second counted string after the link information, when present.
std::string targetFromStrings(const ByteReader& reader, std::size_t at, std::uint32_t flags) {
    const bool unicode = flags & kIsUnicode;
    const auto readCounted = [&](std::optional<std::string>* out) -> bool {
        const auto count = reader.u16(at);
        if (!count) {
            return false;
        }
        const std::size_t bytes = std::size_t{*count} * (unicode ? 2 : 1);
        const auto span = reader.span(at + 2, bytes);
        if (!span) {
            return false;
        }
        if (out != nullptr) {
            if (unicode) {
                std::u16string wide;
                for (std::size_t i = 0; i + 1 < span->size(); i += 2) {
                    wide.push_back(
                        static_cast<char16_t>(static_cast<std::uint8_t>((*span)[i]) |
                                              static_cast<std::uint8_t>((*span)[i + 1]) << 8));
                }
                *out = wideToGb(wide);
            } else {
                *out = std::string(*span);
            }
        }
        at += 2 + bytes;
        return true;
    };
    if ((flags & kHasName) && !readCounted(nullptr)) {
        return {};
    }
    std::optional<std::string> relative;
    if ((flags & kHasRelativePath) && readCounted(&relative) && relative) {
        return *relative;
    }
    return {};
}

}  // namespace

std::string parseShortcutTarget(std::string_view bytes) {
    const ByteReader reader(bytes);
    const auto headerSize = reader.u32(0);
    const auto clsid = reader.span(4, 16);
    const auto flags = reader.u32(0x14);
    if (!headerSize || *headerSize != kHeaderSize || !clsid || *clsid != kLinkClsid || !flags) {
        return {};
    }
    std::size_t at = kHeaderSize;
    std::string fromIdList;
    if (*flags & kHasIdList) {
        const auto listSize = reader.u16(at);
        if (!listSize) {
            return {};
        }
        if (const auto list = reader.span(at + 2, *listSize)) {
            fromIdList = targetFromIdList(ByteReader(*list));
        }
        at += 2 + std::size_t{*listSize};
    }
    if (*flags & kHasLinkInfo) {
        const auto infoSize = reader.u32(at);
        if (infoSize && *infoSize >= 4) {
            if (const auto info = reader.span(at, *infoSize)) {
                const std::string target = targetFromLinkInfo(ByteReader(*info));
                if (!target.empty()) {
                    return target;
                }
            }
            at += *infoSize;
        } else {
            return fromIdList;
        }
    }
    if (!fromIdList.empty()) {
        return fromIdList;
    }
    return targetFromStrings(reader, at, *flags);
}

std::string shortcutTarget(std::string_view path) {
    const auto bytes = readFileBytes(path, kMaxShortcutBytes);
    return bytes ? parseShortcutTarget(*bytes) : std::string();
}

}  // namespace lumaro::shell
