#pragma once
// The Windows attribute word as the system reads it, masked with 0x37, produced from Linux
// file kinds: directory 16, regular file 32, +1 when the user may not write the entry,
// +2 when the name starts with ".". Other kinds (sockets, devices, FIFOs) carry neither 16
// nor 32. System (4) is never produced on Linux. Thread-safe.

#include <string_view>

namespace lumaro::filesystem {

inline constexpr int kReadOnly = 1;
inline constexpr int kHidden = 2;
inline constexpr int kSystem = 4;
inline constexpr int kDirectory = 16;
inline constexpr int kArchive = 32;
inline constexpr int kAttributeMask = 0x37;

enum class EntryKind { Directory, RegularFile, Other };

// Pure mapping, kept apart from the system calls so every combination can be tested.
int attributeWord(EntryKind kind, bool writable, std::string_view name);

// Masked attributes of the entry at `path` (GB18030 text); -1 when it cannot be read.
// Symbolic links report their target.
int readAttributes(std::string_view path);

// True when readAttributes(path) would be exactly 16, without asking for write access
// unless the entry is a directory with a visible name (the only case where it matters).
bool isPlainDirectory(std::string_view path);

}  // namespace lumaro::filesystem
