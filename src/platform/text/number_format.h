#pragma once
// LITERALS: the whole project is compiled with -fexec-charset=GB18030, so a plain string literal
// such as "本地目录" IS a GB18030 text, ready to use as a system text (settings keys, captions,
// messages). UTF-8 is only u8"..." literals. In Qt code use u"..."/QStringLiteral for Qt-only
// literals and convert system texts with toUtf8() -> QString::fromUtf8; never fromUtf8 on a
// plain literal.
// Number formats of the system: integers in decimal, reals in the shortest form with at
// most 13 significant digits and no trailing zeros, sizes in KB. Pure and thread-safe.

#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro::text {

std::string formatInteger(std::int64_t value);

// Shortest decimal form with at most 13 significant digits, no trailing zeros, no exponent
// for ordinary magnitudes ("1.5", "0.977", "-0.001", "12", "0").
std::string formatReal(double value);

// bytes ÷ 1024 rounded to three decimals, halves away from zero, computed exactly in integers
// (1536 → "1.5", 1000 → "0.977", 1 → "0.001", -1 → "-0.001", 0 → "0").
std::string kilobytesRounded(std::int64_t bytes);

// bytes ÷ 1024 cut toward zero to a whole number (the local list's size column).
std::string kilobytesWhole(std::int64_t bytes);

// The numeric value at the start of a text, as a lenient reader takes it: leading blanks,
// an optional sign, digits with at most one ".", anything after is ignored; 0 when none.
double leadingNumber(std::string_view text);

// The integer at the start of a text (leading blanks, optional sign, digits); 0 when none.
// Saturates instead of overflowing.
std::int64_t leadingInteger(std::string_view text);

}  // namespace lumaro::text
