#pragma once
// Conversion between the system's GB18030 texts and UTF-8, used only at the edges
// (window system, Linux file names, FTP servers that speak UTF-8). Thread-safe.

#include <optional>
#include <string>
#include <string_view>

namespace lumaro::text {

// UTF-8 → GB18030. nullopt when the input is not valid UTF-8.
std::optional<std::string> utf8ToGb(std::string_view utf8);
// GB18030 → UTF-8. nullopt when the input is not valid GB18030.
std::optional<std::string> gbToUtf8(std::string_view gb);

// Lossy forms for display and file names: an invalid input byte becomes U+FFFD / "?"
// instead of failing, so nothing crashes on a bad name.
std::string toUtf8(std::string_view gb);
std::string fromUtf8(std::string_view utf8);

bool isValidUtf8(std::string_view s);

}  // namespace lumaro::text
