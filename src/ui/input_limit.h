#pragma once
// Input limits of edit boxes count GB18030 bytes: an ASCII character takes one byte of the
// limit, a Chinese character two (four for the rare four-byte characters). Pure, thread-safe.
#include <string>
#include <string_view>

namespace lumaro::ui {

// Byte length of the first character of `s` (1, 2 or 4; 1 for a broken tail).
int gbCharLength(std::string_view s);
// True when `text` fits `limit` bytes; a limit of 0 or less means no limit.
bool fitsInputLimit(std::string_view text, int limit);
// The longest prefix of `text` that fits `limit` bytes and ends on a character boundary.
std::string cutToInputLimit(std::string_view text, int limit);

}  // namespace lumaro::ui
