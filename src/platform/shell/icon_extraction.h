#pragma once
// The first icon of an executable or icon library (PE resources, or the older NE format of
// .icl libraries) or of an icon file, written out as a standalone icon (.ico) file. Our own
// parsers; every offset is checked, so damaged files give "no icon" and never a crash.
// Thread-safe.

#include <optional>
#include <string>
#include <string_view>

namespace lumaro::shell {

// The bytes of an .ico file holding every image of the first icon found in `fileBytes`
// (an executable or library by its "MZ" header, or an icon file); nullopt when there is none.
std::optional<std::string> firstIconAsIcoFile(std::string_view fileBytes);

// Reads the file at `sourcePath` (GB18030), takes its first icon and writes it to `icoPath`.
// False when the source cannot be read, holds no icon, or the file cannot be written.
bool writeFirstIcon(std::string_view sourcePath, std::string_view icoPath);

}  // namespace lumaro::shell
