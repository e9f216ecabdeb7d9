#include "app/path_rules.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace lumaro::app {
namespace {

struct NameCase {
    const char* text;
    bool directory;
};

TEST(IsDirectoryPath, NameRuleCountsBytesAfterTheLastDot) {
    const NameCase cases[] = {
        {"readme", true},
        {"a.txt", false},
        {"a.html", false},
        {"a.jpeg", false},
        {"archive.tar.gz", false},
        {"data.2021", false},
        {"data.20210", true},
        {"a.config", true},
        {".profile", true},
        {"a.", false},
        {"/pub/a.b/c", false},
        {"/pub/dir", true},
        {"", true},
        {".", false},
        {"x.abcd", false},
        {"C:\\a.b\\readme", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isDirectoryPath(c.text, true), c.directory) << c.text;
        EXPECT_EQ(isDirectoryByName(c.text), c.directory) << c.text;
    }
}

TEST(IsDirectoryPath, DotInsideADoubleByteCharacterIsNotADot) {
    // 0x81 0x2E is not GBK, but the rule skips the byte after any lead byte: the dot that
    // follows a lead byte is not seen, so the text has no dot and is a directory.
    EXPECT_TRUE(isDirectoryPath("ab\x81.txt", true));
    EXPECT_FALSE(isDirectoryPath("目录.txt", true));
    EXPECT_TRUE(isDirectoryPath("目录", true));
}

// Existing-entry rule with attribute words Linux cannot produce, through the query seam.
TEST(IsDirectoryPath, ExistingEntryRuleReadsTheAttributeWord) {
    std::map<std::string, int> words = {
        {"d.x16", 16}, {"d.x17", 17},   {"d.x19", 19},    {"d.x22", 22}, {"f.x39", 39},
        {"d.x18", 18}, {"d.x20", 20},   {"d.x48", 48},    {"f.x32", 32}, {"u.x", -1},
        {"noext", 32}, {"noext48", 48}, {"noextbad", -1},
    };
    const LocalEntryQuery query = [&words](std::string_view text) -> std::optional<int> {
        const auto it = words.find(std::string(text));
        if (it == words.end()) {
            return std::nullopt;
        }
        return it->second;
    };
    const NameCase cases[] = {
        {"d.x16", true},
        {"d.x17", true},
        {"d.x19", true},
        {"d.x22", true},
        {"f.x39", true},
        {"d.x18", false},
        {"d.x20", false},
        {"d.x48", false},
        {"f.x32", false},
        {"u.x", false},
        {"noext", true},
        {"noext48", true},
        {"noextbad", true},
        // Not found: the name rule decides.
        {"gone.txt", false},
        {"gone.config", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isDirectoryPath(c.text, false, query), c.directory) << c.text;
    }
    // nameOnly never asks.
    bool asked = false;
    const LocalEntryQuery spy = [&asked](std::string_view) -> std::optional<int> {
        asked = true;
        return 16;
    };
    EXPECT_FALSE(isDirectoryPath("d.x16", true, spy));
    EXPECT_FALSE(asked);
}

class LocalTree : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "lumaro_rules_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override {
        ::chmod((m_root + "/ro.dir").c_str(), 0755);
        std::string command = "rm -rf '" + m_root + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string path(const std::string& name) const { return m_root + "/" + name; }
    std::string m_root;
};

TEST_F(LocalTree, ExistingEntryRuleOnRealFiles) {
    ASSERT_EQ(::mkdir(path("dotted.dir").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(path("ro.dir").c_str(), 0555), 0);
    ASSERT_EQ(::mkdir(path(".cfg").c_str(), 0755), 0);
    { std::ofstream(path("README")) << "x"; }
    { std::ofstream(path("a.txt")) << "x"; }
    { std::ofstream(path("long.config")) << "x"; }
    const NameCase cases[] = {
        {"dotted.dir", true},      // 16: a directory whatever its name says
        {"ro.dir", true},          // 16 or 17 depending on who runs the test
        {"README", true},          // an existing file without a dot counts as a directory
        {"a.txt", false},          // 32
        {"long.config", false},    // 32, although the name rule would say directory
        {".cfg", false},           // 18: hidden directory is not in the list
        {"a.*", false},            // found by wildcard, attributes unreadable: a file
        {"missing.config", true},  // absent: name rule
        {"missing.txt", false},
        {"dotted.dir/", false},  // ends in the separator: absent; name rule sees "dir/"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isDirectoryPath(path(c.text), false), c.directory) << c.text;
    }
    EXPECT_FALSE(isDirectoryPath(path("dotted.dir"), true));
}

TEST_F(LocalTree, LongPathsFallBackToTheNameRule) {
    const std::string longPath = "/" + std::string(10000, 'a') + ".txt";
    EXPECT_FALSE(isDirectoryPath(longPath, false));
    EXPECT_TRUE(isDirectoryPath("/" + std::string(10000, 'a'), false));
}

TEST(WithTrailingSeparator, AddsOnlyWhenMissing) {
    EXPECT_EQ(withTrailingSeparator("C:\\", '\\'), "C:\\");
    EXPECT_EQ(withTrailingSeparator("C:\\data", '\\'), "C:\\data\\");
    EXPECT_EQ(withTrailingSeparator("/pub", '/'), "/pub/");
    EXPECT_EQ(withTrailingSeparator("/pub/", '/'), "/pub/");
    EXPECT_EQ(withTrailingSeparator("/", '/'), "/");
    EXPECT_EQ(withTrailingSeparator("", '/'), "/");
    EXPECT_EQ(withTrailingSeparator("/a//", '/'), "/a//");  // no other normalisation
    // A trail byte 0x5C at the end is part of a character, not a separator.
    EXPECT_EQ(withTrailingSeparator("C:\\\x81\x5C", '\\'), "C:\\\x81\x5C\\");
}

struct SplitCase {
    const char* path;
    char separator;
    const char* directory;  // pathDirectory
    const char* fileName;   // pathFileName and splitPath's file name
    const char* splitDir;   // splitPath's directory
    const char* stem;
};

TEST(SplitRules, CutAtTheLastSeparator) {
    const SplitCase cases[] = {
        {"C:\\a\\b.txt", '\\', "C:\\a", "b.txt", "C:\\a\\", "b"},
        {"b.txt", '\\', "", "b.txt", "", "b"},
        {"C:\\a\\b.tar.gz", '\\', "C:\\a", "b.tar.gz", "C:\\a\\", "b.tar"},
        {"C:\\a\\README", '\\', "C:\\a", "README", "C:\\a\\", ""},
        {"C:\\a\\", '\\', "C:\\a", "", "C:\\a\\", ""},
        {"", '\\', "", "", "", ""},
        {"/home/u/x.tar.gz", '/', "/home/u", "x.tar.gz", "/home/u/", "x.tar"},
        {"/x", '/', "", "x", "/", ""},
        {"/home/u/", '/', "/home/u", "", "/home/u/", ""},
        {".profile", '/', "", ".profile", "", ""},
        // 0x81 0x5C is one character: its trail byte never splits the path.
        {"C:\\d\\\x81\x5Cname.txt", '\\', "C:\\d", "\x81\x5Cname.txt", "C:\\d\\", "\x81\x5Cname"},
        {"\x81\x5Cname", '\\', "", "\x81\x5Cname", "", ""},
        {"C:\\\x81\x5C\\f.t", '\\', "C:\\\x81\x5C", "f.t", "C:\\\x81\x5C\\", "f"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pathDirectory(c.path, c.separator), c.directory) << c.path;
        EXPECT_EQ(pathFileName(c.path, c.separator), c.fileName) << c.path;
        std::string fileName = "old";
        std::string directory = "old";
        EXPECT_EQ(splitPath(c.path, fileName, directory, c.separator), c.stem) << c.path;
        EXPECT_EQ(fileName, c.fileName) << c.path;
        EXPECT_EQ(directory, c.splitDir) << c.path;
    }
}

TEST(LocalParentDirectory, WalksUpTheLinuxTree) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"/a/b", "/a"},     {"/a", "/"},           {"/", std::nullopt}, {"/a/b/", "/a"},
        {"/a//b", "/a"},    {"//", std::nullopt},  {"", std::nullopt},  {"relative", std::nullopt},
        {"rel/sub", "rel"}, {"/目录/子", "/目录"},
    };
    for (const auto& [dir, parent] : cases) {
        EXPECT_EQ(localParentDirectory(dir), parent) << dir;
    }
}

}  // namespace
}  // namespace lumaro::app
