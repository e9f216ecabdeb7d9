#pragma once
// Parsing of directory listings: LIST lines of the common formats and MLSD facts lines.
// Pure functions over the bytes the server sent (names stay in the wire's encoding).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumaro::ftp_session {

struct RemoteEntry {
    std::string name;
    std::uint64_t size = 0;
    bool isDirectory = false;
};

// One LIST line (without its line end) → entry; nullopt for lines that are not entries
// ("total 12", blank lines, formats we do not know) and for names holding control bytes,
// which could never be sent back in a command. Formats:
//   Unix ls -l, with or without group, device files, "link -> target", names with spaces,
//   dates with a year or a time, and ISO dates ("2024-01-31 12:00"):
//     drwxr-xr-x   2 ftp      ftp          4096 Mar  7 11:52 pub
//     -rw-r--r--   1 owner  5368709120 Jan  1  2024 big file.iso
//     lrwxrwxrwx   1 root     root            7 Jan  1 12:00 bin -> usr/bin
//     crw-rw-rw-   1 root     root       1,   3 Jan  1  2024 null
//   DOS/IIS:
//     01-15-21  03:04PM       <DIR>          My Folder
//     2021-01-15  15:04              1234 report.txt
std::optional<RemoteEntry> parseListLine(std::string_view line);

// One MLSD line "type=file;size=12;modify=20240101000000; name" → entry. The entries for the
// listed directory itself and its parent (type=cdir / type=pdir) give nullopt.
std::optional<RemoteEntry> parseMlsdLine(std::string_view line);

// True when `name` holds no byte below 0x20 and no DEL.
bool isCleanName(std::string_view name);

}  // namespace lumaro::ftp_session
