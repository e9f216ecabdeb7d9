#pragma once
// Targets of shell shortcut files (.lnk, the binary shell-link format), read by our own
// parser. Damaged or foreign files give the empty text; nothing is ever read past the end
// of the file. Thread-safe.

#include <string>
#include <string_view>

namespace lumaro::shell {

// The target path stored in shortcut file bytes, as a GB18030 text; "" when none can be found.
// Looks in the link information (local base path + suffix, or network name + suffix), then in
// the item list (drive and file items), then in the relative path string.
std::string parseShortcutTarget(std::string_view bytes);

// The target of the shortcut file at `path` (GB18030; a bare name is relative to the current
// directory); "" when the file cannot be read or holds no target.
std::string shortcutTarget(std::string_view path);

}  // namespace lumaro::shell
