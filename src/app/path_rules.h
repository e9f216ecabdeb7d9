#pragma once
// Path and name rules shared by every part of the system. Texts are GB18030 bytes; every
// search for a separator or "." follows the double-byte rule (platform/text/gb_text.h), so a
// trail byte 0x5C never splits a path. Pure and re-entrant except isDirectoryPath with
// nameOnly false, which reads the local file system at the moment of the call.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumaro::app {

// The separator of local paths on this platform; remote paths always use "/".
#ifdef _WIN32
inline constexpr char kLocalSeparator = '\\';
#else
inline constexpr char kLocalSeparator = '/';
#endif
inline constexpr char kRemoteSeparator = '/';

// What isDirectoryPath asks of the local file system for one text: nullopt when the
// directory search finds no entry; otherwise the entry's masked attribute word, -1 when
// unreadable. Tests pass their own to produce words Linux cannot.
using LocalEntryQuery = std::function<std::optional<int>(std::string_view)>;

// The query on the real file system (platform/filesystem).
std::optional<int> queryLocalEntry(std::string_view text);

// True when `text` (bare name, local or remote path) is to be treated as a directory.
// nameOnly true never touches the file system.
bool isDirectoryPath(std::string_view text, bool nameOnly);
bool isDirectoryPath(std::string_view text, bool nameOnly, const LocalEntryQuery& query);

// The name rule alone: false when a "." is present and at most 4 bytes follow the last one.
bool isDirectoryByName(std::string_view text);

// `directory` unchanged when it already ends with the separator (a whole character, not a
// trail byte), otherwise `directory` + separator.
std::string withTrailingSeparator(std::string_view directory, char separator);

// Text before the last separator; empty when there is none.
std::string pathDirectory(std::string_view path, char separator);
// Text after the last separator; the whole path when there is none.
std::string pathFileName(std::string_view path, char separator);

// Returns the stem (file name less its last "." and what follows; empty when the name has
// no "."), and fills the file name and the directory up to and including the last separator.
std::string splitPath(std::string_view path, std::string& fileName, std::string& directory,
                      char separator);

// Parent of a Linux directory for the back button: /a/b → /a, /a → /, / → none. Trailing
// separators are ignored (/a/b/ → /a); a relative name without a separator has none.
std::optional<std::string> localParentDirectory(std::string_view directory);

}  // namespace lumaro::app
