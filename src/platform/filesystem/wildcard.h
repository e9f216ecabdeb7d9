#pragma once
// Wildcard names as the platform's directory search reads them: "*" any run of bytes,
// "?" any one byte, everything else literally (case-sensitive, as Linux names are).
// A pattern ending in ".*" also matches names without any dot, so "*.*" matches every
// name. Pure and thread-safe; runs in time proportional to pattern × name at worst.

#include <string_view>

namespace lumaro::filesystem {

bool hasWildcard(std::string_view text);
bool matchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace lumaro::filesystem
