#include "platform/filesystem/native_path.h"

#include <algorithm>

#include "platform/text/encoding.h"

namespace lumaro::filesystem {

namespace {

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string toNativePath(std::string_view gbPath) {
    if (isAscii(gbPath)) {
        return std::string(gbPath);
    }
    return text::toUtf8(gbPath);
}

std::string fromNativeName(std::string_view utf8Name) {
    if (isAscii(utf8Name)) {
        return std::string(utf8Name);
    }
    return text::fromUtf8(utf8Name);
}

std::string_view lastComponent(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace lumaro::filesystem
