#pragma once
// Matching of listing patterns on our side. Listings ask the server for a whole directory
// and keep the names that match the pattern's name part, so servers that treat LIST
// arguments differently (or not at all, as with MLSD) all give the same result.

#include <string>
#include <string_view>

namespace lumaro::ftp_session {

// "*" matches any run of characters, "?" one character; other bytes match themselves.
// As with the platform's wildcards, "*" and "*.*" match every name, and a pattern ending in
// ".*" also matches the name without an extension ("a.*" matches "a"). Multi-byte GB18030
// characters count as one character for "?".
bool matchesWildcard(std::string_view pattern, std::string_view name);

// A listing pattern split at its last "/": "/pub/*.txt" → {"/pub", "*.txt"}; "/*.*" → {"/",
// "*.*"}; "*.*" → {"", "*.*"} (the current directory); "/pub/" → {"/pub", ""}.
struct ListPattern {
    std::string directory;
    std::string namePattern;  // empty: every name
};
ListPattern splitListPattern(std::string_view pattern);

}  // namespace lumaro::ftp_session
