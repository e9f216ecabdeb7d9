#pragma once
// Conversion between the system's GB18030 texts and the UTF-8 names of the Linux file
// system. Pure ASCII passes through without a conversion call. Thread-safe.

#include <string>
#include <string_view>

namespace lumaro::filesystem {

std::string toNativePath(std::string_view gbPath);
std::string fromNativeName(std::string_view utf8Name);

// The text after the last "/" of a native or GB18030 path ("/" is never a trail byte).
std::string_view lastComponent(std::string_view path);

}  // namespace lumaro::filesystem
