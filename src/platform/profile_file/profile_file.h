#pragma once
// Reading and writing keys of INI files, with the semantics of the classic profile-file
// functions: sections "[name]", lines "key=value", names matched ignoring ASCII case, the
// first matching section and key win, values without quoting. Paths and texts are the
// system's GB18030 texts. Safe to call from any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace lumaro::platform {

// A value is read into a buffer of this many bytes, so at most one byte less comes back.
inline constexpr std::size_t kProfileBufferSize = 10240;

// The value of `key` in `section` of the file at `path`, cut to kProfileBufferSize - 1 bytes.
// An absent file, section or key gives `defaultValue` (cut the same way); a key present with
// an empty value gives the empty text. A damaged file is read as far as it makes sense.
std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue);

// Sets `key` in `section` to `value`, creating the file and the section when missing and
// keeping every other line as it was. The file is replaced atomically (temporary file and
// rename), and writes from several threads of this process are serialised, so none is lost.
// Carriage returns and line feeds in the key or value become blanks: one key, one line.
// Returns false when the file could not be written; the old file then stays as it was.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace lumaro::platform
