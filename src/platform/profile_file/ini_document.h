#pragma once
// The line structure of an INI text, as the profile-file functions see it. Pure functions.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::platform {

struct IniLine {
    std::string_view content;  // without the line ending
    std::string_view ending;   // "\r\n", "\n" or "" (last line without one)
};

std::vector<IniLine> splitIniLines(std::string_view text);

// The name of a section header line ("[ name ]" → "name"), or nullopt for other lines.
std::optional<std::string_view> sectionNameOf(std::string_view line);

struct KeyValue {
    std::string_view key;
    std::string_view value;
};
// The trimmed key and value of a "key=value" line, or nullopt for a line without "=".
std::optional<KeyValue> keyValueOf(std::string_view line);

struct KeyLocation {
    std::optional<std::size_t> sectionLine;  // index of the first matching section header
    std::optional<std::size_t> keyLine;      // index of the key's line inside that section
    std::size_t insertAfter = 0;             // last non-blank line of the section
};
KeyLocation locateKey(const std::vector<IniLine>& lines, std::string_view section,
                      std::string_view key);

}  // namespace lumaro::platform
