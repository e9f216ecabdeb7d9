#include "platform/filesystem/native_path.h"

#include "platform/text/encoding.h"

namespace lumaro::filesystem {

std::string toNativePath(std::string_view gbPath) {
    return text::toUtf8(gbPath);
}

std::string fromNativeName(std::string_view utf8Name) {
    return text::fromUtf8(utf8Name);
}

std::string_view lastComponent(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace lumaro::filesystem
