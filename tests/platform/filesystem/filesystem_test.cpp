#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/filesystem/attributes.h"
#include "platform/filesystem/directory_search.h"
#include "platform/filesystem/file_operations.h"
#include "platform/text/encoding.h"

namespace lumaro::filesystem {
namespace {

// A fresh directory below the test framework's temporary directory, removed afterwards.
class TempTree : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "lumaro_fs_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + m_root + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string path(const std::string& name) const { return m_root + "/" + name; }
    void writeFile(const std::string& name, std::size_t bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out << std::string(bytes, 'x');
    }
    void makeDir(const std::string& name) const { ASSERT_EQ(::mkdir(path(name).c_str(), 0755), 0); }

    std::string m_root;
};

struct WordCase {
    EntryKind kind;
    bool writable;
    const char* name;
    int word;
};

TEST(AttributeWord, MapsLinuxKindsToTheWindowsWord) {
    const WordCase cases[] = {
        {EntryKind::Directory, true, "dir", 16},
        {EntryKind::Directory, false, "dir", 17},
        {EntryKind::Directory, true, ".git", 18},
        {EntryKind::Directory, false, ".git", 19},
        {EntryKind::RegularFile, true, "a.txt", 32},
        {EntryKind::RegularFile, false, "a.txt", 33},
        {EntryKind::RegularFile, true, ".profile", 34},
        {EntryKind::RegularFile, false, ".profile", 35},
        {EntryKind::Other, true, "socket", 0},
        {EntryKind::Other, false, ".fifo", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(attributeWord(c.kind, c.writable, c.name), c.word) << c.name;
    }
}

TEST_F(TempTree, ReadsAttributesOfRealEntries) {
    makeDir("sub.dir");
    makeDir(".hidden");
    writeFile("a.txt", 3);
    writeFile(".profile", 1);
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("a.txt", path("link").c_str()), 0);
    ASSERT_EQ(::symlink("missing", path("dangling").c_str()), 0);

    EXPECT_EQ(readAttributes(path("sub.dir")), 16);
    EXPECT_EQ(readAttributes(path("sub.dir/")), 16);
    EXPECT_EQ(readAttributes(path(".hidden")), 18);
    EXPECT_EQ(readAttributes(path("a.txt")), 32);
    EXPECT_EQ(readAttributes(path(".profile")), 34);
    EXPECT_EQ(readAttributes(path("pipe")), 0);
    EXPECT_EQ(readAttributes(path("link")), 32);  // a link reports its target
    EXPECT_EQ(readAttributes(path("dangling")), -1);
    EXPECT_EQ(readAttributes(path("missing")), -1);
    EXPECT_EQ(readAttributes(""), -1);
    EXPECT_TRUE(isPlainDirectory(path("sub.dir")));
    EXPECT_FALSE(isPlainDirectory(path(".hidden")));
    EXPECT_FALSE(isPlainDirectory(path("a.txt")));
    EXPECT_FALSE(isPlainDirectory(path("missing")));
}

TEST_F(TempTree, EnumeratesWithWildcardsInDirectoryOrder) {
    makeDir("A");
    writeFile("x.txt", 10);
    writeFile("y.doc", 2048);
    writeFile("readme", 0);

    std::vector<std::string> all;
    for (const auto& entry : listDirectory(path("*.*"))) {
        all.push_back(entry.name);
    }
    // The directory's own order, not sorted; "." and ".." come with it.
    std::vector<std::string> sorted = all;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{".", "..", "A", "readme", "x.txt", "y.doc"}));

    const auto texts = listDirectory(path("*.txt"));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].name, "x.txt");
    EXPECT_EQ(texts[0].attributes, 32);
    EXPECT_EQ(texts[0].size, 10);

    for (const auto& entry : listDirectory(path("*"))) {
        if (entry.name == "A") {
            EXPECT_EQ(entry.attributes, 16);
            EXPECT_EQ(entry.size, 0);
        }
        if (entry.name == "y.doc") {
            EXPECT_EQ(entry.size, 2048);
        }
    }
    int visited = 0;
    EXPECT_TRUE(enumerateDirectory(path("*"), [&visited](const DirectoryEntry&) {
        ++visited;
        return false;  // stop at the first entry
    }));
    EXPECT_EQ(visited, 1);
    EXPECT_FALSE(
        enumerateDirectory(path("nothere/*.*"), [](const DirectoryEntry&) { return true; }));
    EXPECT_TRUE(listDirectory("").empty());
}

TEST_F(TempTree, ChineseNamesTravelAsGbTexts) {
    // "目录" as GB18030 in the system, UTF-8 on the disk.
    const std::string gbName = "目录.txt";
    const std::string utf8Name = *text::gbToUtf8(gbName);
    {
        std::ofstream out(path(utf8Name));
        out << "abc";
    }
    const auto found = listDirectory(path("*.txt"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, gbName);
    EXPECT_EQ(fileSize(m_root + "/" + gbName), 3);
    EXPECT_TRUE(entryExists(m_root + "/" + gbName));
}

TEST_F(TempTree, SurvivesNamesThatAreNotUtf8) {
    const std::string bad = path("bad\xff\xfe.txt");
    { std::ofstream out(bad); }
    const auto found = listDirectory(path("*.txt"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_FALSE(found[0].name.empty());
}

TEST_F(TempTree, ExistenceTestIsADirectorySearch) {
    makeDir("d.x");
    writeFile("f.txt", 1);
    ASSERT_EQ(::symlink("missing", path("dangling").c_str()), 0);
    EXPECT_TRUE(entryExists(path("d.x")));
    EXPECT_TRUE(entryExists(path("f.txt")));
    EXPECT_TRUE(entryExists(path("f.*")));
    EXPECT_TRUE(entryExists(path("?.txt")));
    EXPECT_TRUE(entryExists(path("dangling")));
    EXPECT_FALSE(entryExists(path("g.*")));
    EXPECT_FALSE(entryExists(path("d.x/")));  // ending in the separator never exists
    EXPECT_FALSE(entryExists(path("missing")));
    EXPECT_FALSE(entryExists(""));
    EXPECT_FALSE(entryExists("/" + std::string(10000, 'a')));

    // A bare name is looked up in the current directory.
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(m_root.c_str()), 0);
    const bool bare = entryExists("f.txt");
    const bool bareMissing = entryExists("g.txt");
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_TRUE(bare);
    EXPECT_FALSE(bareMissing);
}

TEST_F(TempTree, SizesAre64Bit) {
    writeFile("small", 1023);
    const std::string big = path("big.bin");
    const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    const std::int64_t fiveGiB = 5LL * 1024 * 1024 * 1024;
    ASSERT_EQ(::ftruncate(fd, fiveGiB), 0);  // sparse: takes no disk space
    ::close(fd);
    EXPECT_EQ(fileSize(path("small")), 1023);
    EXPECT_EQ(fileSize(big), fiveGiB);
    EXPECT_EQ(fileSize(path("missing")), -1);
    EXPECT_EQ(fileSize(m_root), -1);
    const auto entries = listDirectory(path("big.*"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].size, fiveGiB);
}

TEST_F(TempTree, DeletesFilesAndEmptyDirectoriesOnly) {
    writeFile("f.txt", 1);
    makeDir("empty");
    makeDir("full");
    writeFile("full/inside", 1);
    makeDir("target");
    ASSERT_EQ(::symlink("target", path("dirlink").c_str()), 0);

    EXPECT_FALSE(deleteFile(path("empty")));
    EXPECT_TRUE(deleteFile(path("f.txt")));
    EXPECT_FALSE(entryExists(path("f.txt")));
    EXPECT_FALSE(deleteFile(path("f.txt")));

    EXPECT_FALSE(removeEmptyDirectory(path("full")));
    EXPECT_TRUE(entryExists(path("full/inside")));
    EXPECT_TRUE(removeEmptyDirectory(path("empty")));
    EXPECT_FALSE(removeEmptyDirectory(path("empty")));
    EXPECT_FALSE(removeEmptyDirectory(path("dirlink")));  // a link is not followed
    EXPECT_TRUE(entryExists(path("target")));
    EXPECT_TRUE(deleteFile(path("dirlink")));  // the link itself goes
    EXPECT_TRUE(entryExists(path("target")));
}

TEST(TemporaryDirectory, IsAnExistingDirectoryWithoutTrailingSeparator) {
    const std::string dir = temporaryDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(dir == "/" || dir.back() != '/');
    EXPECT_EQ(readAttributes(dir) & kDirectory, kDirectory);
}

}  // namespace
}  // namespace lumaro::filesystem
