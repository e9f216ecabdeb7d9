#pragma once
// Bounds-checked little-endian reads over an untrusted byte buffer. Every read of bytes that
// are not there yields nullopt, so parsers of damaged files fail instead of reading past the end.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumaro::shell {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    std::string_view bytes() const { return m_bytes; }

    std::optional<std::uint8_t> u8(std::size_t offset) const {
        if (offset >= m_bytes.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(m_bytes[offset]);
    }
    std::optional<std::uint16_t> u16(std::size_t offset) const {
        if (!has(offset, 2)) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(byteAt(offset) | byteAt(offset + 1) << 8);
    }
    std::optional<std::uint32_t> u32(std::size_t offset) const {
        if (!has(offset, 4)) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(byteAt(offset)) |
               static_cast<std::uint32_t>(byteAt(offset + 1)) << 8 |
               static_cast<std::uint32_t>(byteAt(offset + 2)) << 16 |
               static_cast<std::uint32_t>(byteAt(offset + 3)) << 24;
    }
    // `length` bytes at `offset`, or nullopt when they are not all there.
    std::optional<std::string_view> span(std::size_t offset, std::size_t length) const {
        if (!has(offset, length)) {
            return std::nullopt;
        }
        return m_bytes.substr(offset, length);
    }
    // Bytes from `offset` up to the first zero byte (excluded); nullopt when no zero follows.
    std::optional<std::string_view> cString(std::size_t offset) const {
        if (offset >= m_bytes.size()) {
            return std::nullopt;
        }
        const auto end = m_bytes.find('\0', offset);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        return m_bytes.substr(offset, end - offset);
    }
    // UTF-16LE code units from `offset` up to the first zero unit (excluded).
    std::optional<std::u16string> wideString(std::size_t offset) const {
        std::u16string out;
        for (std::size_t at = offset;; at += 2) {
            const auto unit = u16(at);
            if (!unit) {
                return std::nullopt;
            }
            if (*unit == 0) {
                return out;
            }
            out.push_back(static_cast<char16_t>(*unit));
        }
    }
    bool has(std::size_t offset, std::size_t length) const {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }

private:
    std::uint32_t byteAt(std::size_t offset) const {
        return static_cast<std::uint8_t>(m_bytes[offset]);
    }

    std::string_view m_bytes;
};

// UTF-16 (as found in shortcut files) to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Reads at most `limit` bytes of a file named by a GB18030 path; nullopt when unreadable.
std::optional<std::string> readFileBytes(std::string_view path, std::size_t limit);

}  // namespace lumaro::shell
