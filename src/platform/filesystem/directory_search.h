#pragma once
// Directory search with a wildcard pattern, as the system enumerates local directories.
// Patterns and names are GB18030 texts; the part after the last "/" is the wildcard.
// Thread-safe; reads the file system at the moment of the call.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::filesystem {

struct DirectoryEntry {
    std::string name;       // GB18030; an undecodable name comes back with "?" in it
    int attributes = -1;    // masked word (see attributes.h); -1 when it cannot be read
    std::int64_t size = 0;  // bytes; 0 for directories and other kinds
};

// Calls `visit` for every entry of the pattern's directory whose name matches, in the order
// the directory yields them ("." and ".." included, as the platform lists them). `visit`
// returns false to stop early. Returns false when the directory cannot be opened.
bool enumerateDirectory(std::string_view pattern,
                        const std::function<bool(const DirectoryEntry&)>& visit);

// All matching entries of enumerateDirectory, in order; empty when none or unreadable.
std::vector<DirectoryEntry> listDirectory(std::string_view pattern);

// The existence test by directory search: wildcards in the last component match, a path
// ending in "/" never exists, a bare name is looked up in the current directory.
bool entryExists(std::string_view path);

}  // namespace lumaro::filesystem
