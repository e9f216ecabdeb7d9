#pragma once
// Wildcard names as the platform's directory search reads them, used for local directory
// searches and for filtering remote listings alike: "*" matches any run of characters, "?"
// one character (a multi-byte GB18030 character counts as one), every other byte itself,
// case-sensitively. A pattern ending in ".*" also matches the name without that extension,
// so "*.*" matches every name and "a.*" matches "a". Texts are GB18030. Pure and thread-safe;
// the time is at worst proportional to pattern length × name length.

#include <string_view>

namespace lumaro::text {

bool hasWildcard(std::string_view text);
bool matchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace lumaro::text
