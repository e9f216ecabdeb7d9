#pragma once
// LITERALS: the whole project is compiled with -fexec-charset=GB18030, so a plain string literal
// such as "本地目录" IS a GB18030 text, ready to use as a system text (settings keys, captions,
// messages). UTF-8 is only u8"..." literals. In Qt code use u"..."/QStringLiteral for Qt-only
// literals and convert system texts with toUtf8() -> QString::fromUtf8; never fromUtf8 on a
// plain literal.
// Texts of the system are std::string holding GB18030 bytes (GB18030 is a superset of GBK:
// every GBK text is the same bytes). Lengths and positions count bytes; positions are
// 1-based and a search that finds nothing gives -1.
//
// Double-byte rule: while scanning for a one-byte character, a byte of 0x80 or above starts
// a multi-byte character and the byte after it is skipped, so a trail byte (which may be
// 0x5C "\" or 0x7C "|") is never taken for the character searched. GB18030 four-byte
// characters have ASCII digits as second and fourth bytes, so the rule still walks them right.
//
// All functions are pure and thread-safe.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::text {

// 1-based position of the first / last occurrence of `c` under the double-byte rule, -1 if none.
int findFirstChar(std::string_view s, char c);
int findLastChar(std::string_view s, char c);

// Splits at every `separator` byte under the double-byte rule. An empty piece between two
// adjacent separators counts; a separator at the very end adds no empty piece; "" gives {}.
std::vector<std::string> splitOnChar(std::string_view s, char separator);

// ASCII letters folded to lower case; trail bytes of multi-byte characters are never touched.
std::string asciiLower(std::string_view s);
std::string asciiUpper(std::string_view s);

// Case-insensitive (ASCII letters only, trail bytes compared exactly) equality and search.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// 1-based position of the first match of `needle` that starts on a character boundary, or -1.
int findIgnoreCase(std::string_view haystack, std::string_view needle);

}  // namespace lumaro::text
