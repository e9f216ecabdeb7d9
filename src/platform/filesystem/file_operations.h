#pragma once
// Single-entry file operations on GB18030 paths. Thread-safe; none follows a symbolic link
// to delete what it points at.

#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro::filesystem {

// Size in bytes of the file at `path` (64-bit); -1 when there is no such file.
std::int64_t fileSize(std::string_view path);

// Deletes a file (or a symbolic link itself). False when it fails, for example on a directory.
bool deleteFile(std::string_view path);

// Removes an empty directory. False when it fails (not empty, not a directory, missing).
bool removeEmptyDirectory(std::string_view path);

// The system's temporary directory as a GB18030 text, without a trailing "/".
std::string temporaryDirectory();

}  // namespace lumaro::filesystem
