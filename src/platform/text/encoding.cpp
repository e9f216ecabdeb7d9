#include "platform/text/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace lumaro::text {
namespace {

// One converter per thread and direction: iconv descriptors keep shift state and must not
// be shared between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`. An invalid or incomplete input sequence either fails the whole
    // conversion (replacement empty) or is replaced by `replacement` and skipped one byte.
    std::optional<std::string> run(std::string_view in, std::string_view replacement) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            return std::nullopt;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(in.size() * 3 / 2 + 8);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst);
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            if (replacement.empty()) {
                return std::nullopt;
            }
            out.append(replacement);
            ++src;
            --srcLeft;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

Converter& utf8ToGbConverter() {
    thread_local Converter converter("GB18030", "UTF-8");
    return converter;
}

Converter& gbToUtf8Converter() {
    thread_local Converter converter("UTF-8", "GB18030");
    return converter;
}

}  // namespace

std::optional<std::string> utf8ToGb(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    if (!isValidUtf8(utf8)) {
        return std::nullopt;
    }
    return utf8ToGbConverter().run(utf8, {});
}

std::optional<std::string> gbToUtf8(std::string_view gb) {
    if (isAscii(gb)) {
        return std::string(gb);
    }
    return gbToUtf8Converter().run(gb, {});
}

std::string toUtf8(std::string_view gb) {
    if (isAscii(gb)) {
        return std::string(gb);
    }
    return gbToUtf8Converter().run(gb, "\xEF\xBF\xBD").value_or(std::string());
}

std::string fromUtf8(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    return utf8ToGbConverter().run(utf8, "?").value_or(std::string());
}

bool isAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (s.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace lumaro::text
