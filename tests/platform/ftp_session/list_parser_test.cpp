#include "platform/ftp_session/list_parser.h"

#include <gtest/gtest.h>

namespace lumaro::ftp_session {
namespace {

struct ListCase {
    const char* line;
    const char* name;  // nullptr: the line gives no entry
    std::uint64_t size;
    bool isDirectory;
};

// Directories keep the size the server gives. Lines as real servers send them: vsftpd, pyftpdlib,
// proftpd, pure-ftpd, busybox, IIS in both date styles, and lines that must be skipped.
const ListCase kListCases[] = {
    // vsftpd
    {"drwxr-xr-x    2 0        0            4096 Mar 07 11:52 pub", "pub", 4096, true},
    {"-rw-r--r--    1 1000     1000     5368709120 Jan 01  2024 big.iso", "big.iso", 5368709120ull,
     false},
    // pyftpdlib
    {"-rw-r--r--   1 root     root            0 Dec 11 09:15 empty.bin", "empty.bin", 0, false},
    {"drwxr-xr-x   3 root     root         4096 Dec 11 09:15 \xe4\xb8\xad\xe6\x96\x87",
     "\xe4\xb8\xad\xe6\x96\x87", 4096, true},
    // proftpd, time with one-digit hour, and names with spaces (leading, inner, trailing)
    {"-rw-r--r--   1 ftp      ftp          1234 Feb  3  9:05 read me.txt", "read me.txt", 1234,
     false},
    {"-rw-r--r--   1 ftp      ftp            12 Feb  3  2023  two spaces", " two spaces", 12,
     false},
    {"-rw-r--r--   1 ftp      ftp            12 Feb  3  2023 trailing ", "trailing ", 12, false},
    // no group column (busybox, some NAS)
    {"-rw-r--r--    1 owner        42 Jun 30 23:59 nogroup.txt", "nogroup.txt", 42, false},
    {"drwx------ 2 u 4096 Jan 1 2020 d", "d", 4096, true},
    // symbolic link: the name before the arrow
    {"lrwxrwxrwx    1 0        0               7 Jan 01 12:00 bin -> usr/bin", "bin", 7, false},
    // device files carry "major, minor" in place of the size
    {"crw-rw-rw-    1 0        0          1,   3 Jan 01  2024 null", "null", 0, false},
    {"brw-rw----    1 0        6          8,   0 Jan 01  2024 sda", "sda", 0, false},
    // ACL and extended-attribute markers after the mode
    {"-rw-r--r--+   1 ftp      ftp            10 Apr 10 10:10 acl.txt", "acl.txt", 10, false},
    {"drwxr-xr-x@   5 ftp      ftp           160 Apr 10 10:10 mac", "mac", 160, true},
    // ls --time-style=long-iso
    {"-rw-r--r-- 1 ftp ftp 77 2024-01-31 12:00 iso.txt", "iso.txt", 77, false},
    // a name that looks like a date
    {"-rw-r--r-- 1 ftp ftp 5 Jan  1  2024 Jan 2 2020", "Jan 2 2020", 5, false},
    // IIS / DOS style
    {"01-15-21  03:04PM       <DIR>          My Folder", "My Folder", 0, true},
    {"01-15-21  03:04PM                 1234 report.txt", "report.txt", 1234, false},
    {"01-15-2021  11:59AM           4294967296 four gig.bin", "four gig.bin", 4294967296ull, false},
    {"2021-01-15  15:04       <DIR>          data", "data", 0, true},
    // skipped
    {"total 12", nullptr, 0, false},
    {"", nullptr, 0, false},
    {"garbage line without any shape", nullptr, 0, false},
    {"-rw-r--r-- 1 ftp ftp x12 Jan 1 2020 badsize", nullptr, 0, false},
    {"-rw-r--r-- 1 ftp ftp 12 Jan 1 2020 bad\x01name", nullptr, 0, false},
    {"-rw-r--r-- 1 ftp ftp 12 Jan 1 2020 esc\x1b[31mred", nullptr, 0, false},
    {"01-15-21  03:04PM                 12 tab\tname", nullptr, 0, false},
    {"-rw-r--r-- 1 ftp ftp 12 Jan 1 2020", nullptr, 0, false},
};

// Checks every case against `parse`: a case without a name is a line that must be skipped.
template <typename Cases, typename Parse>
void expectParsed(const Cases& cases, Parse parse) {
    for (const ListCase& c : cases) {
        std::optional<RemoteEntry> entry = parse(c.line);
        if (c.name == nullptr) {
            EXPECT_FALSE(entry.has_value()) << c.line;
            continue;
        }
        ASSERT_TRUE(entry.has_value()) << c.line;
        EXPECT_EQ(entry->name, c.name) << c.line;
        EXPECT_EQ(entry->size, c.size) << c.line;
        EXPECT_EQ(entry->isDirectory, c.isDirectory) << c.line;
    }
}

TEST(ListParser, RealWorldLines) {
    expectParsed(kListCases, parseListLine);
}

TEST(ListParser, LineEndsAreStripped) {
    std::optional<RemoteEntry> entry =
        parseListLine("-rw-r--r-- 1 ftp ftp 3 Jan 1 2020 crlf.txt\r\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "crlf.txt");
}

TEST(MlsdParser, RealWorldLines) {
    const ListCase cases[] = {
        // pyftpdlib
        {"type=file;size=5368709120;modify=20241211091500;perm=awr;unique=803g2; big.iso",
         "big.iso", 5368709120ull, false},
        {"type=dir;size=4096;modify=20241211091500;perm=elcmp;unique=803g3; sub dir", "sub dir",
         4096, true},
        {"Type=File;Size=12;Modify=20200101000000; Upper.TXT", "Upper.TXT", 12, false},
        {"type=OS.unix=slink:/target;size=7; link", "link", 7, false},
        {"type=file;size=0; ; leading semicolon", "; leading semicolon", 0, false},
        {"type=cdir;modify=20241211091500; .", nullptr, 0, false},
        {"type=pdir;modify=20241211091500; ..", nullptr, 0, false},
        {"size=12; nofacttype", nullptr, 0, false},
        {"type=file;size=1;", nullptr, 0, false},
        {"type=file;size=1; bad\x7fname", nullptr, 0, false},
    };
    expectParsed(cases, parseMlsdLine);
}

}  // namespace
}  // namespace lumaro::ftp_session
