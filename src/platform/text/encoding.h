#pragma once
// LITERALS: the whole project is compiled with -fexec-charset=GB18030, so a plain string literal
// such as "本地目录" IS a GB18030 text, ready to use as a system text (settings keys, captions,
// messages). UTF-8 is only u8"..." literals. In Qt code use u"..."/QStringLiteral for Qt-only
// literals and convert system texts with toUtf8() -> QString::fromUtf8; never fromUtf8 on a
// plain literal.
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

// True when every byte is below 0x80: the same text in GB18030, GBK and UTF-8.
bool isAscii(std::string_view s);

}  // namespace lumaro::text
