#pragma once
// Listing patterns. A listing asks the server for a whole directory and keeps the names that
// match the pattern's name part on our side (text::matchesWildcard), so servers that treat
// LIST arguments differently (or not at all, as with MLSD) all give the same result.

#include <string>
#include <string_view>

namespace lumaro::ftp_session {

// A listing pattern split at its last "/": "/pub/*.txt" → {"/pub", "*.txt"}; "/*.*" → {"/",
// "*.*"}; "*.*" → {"", "*.*"} (the current directory); "/pub/" → {"/pub", ""}.
struct ListPattern {
    std::string directory;
    std::string namePattern;  // empty: every name
};
ListPattern splitListPattern(std::string_view pattern);

}  // namespace lumaro::ftp_session
