#include "platform/shell/shortcut_target.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "platform/shell/icon_fixtures.h"
#include "platform/text/encoding.h"

namespace lumaro::shell {
namespace {

using namespace lumaro::fixtures;

TEST(ShortcutTarget, ReadsEveryPlaceATargetMayBeStored) {
    const struct {
        std::string bytes;
        std::string target;
    } cases[] = {
        {shortcutWithLocalPath("C:\\notes\\memo.TXT", ""), "C:\\notes\\memo.TXT"},
        {shortcutWithLocalPath("C:\\notes\\", "memo.txt"), "C:\\notes\\memo.txt"},
        {shortcutWithLocalPath("D:\\中文\\说明.txt", ""), "D:\\中文\\说明.txt"},
        {shortcutWithUnicodePath(u"C:\\文档\\a.txt"), "C:\\文档\\a.txt"},
        {shortcutWithNetworkPath("\\\\server\\share", "docs\\b.txt"),
         "\\\\server\\share\\docs\\b.txt"},
        {shortcutWithItemList("C:\\", {"NOTES", "MEMO~1.TXT"}), "C:\\NOTES\\MEMO~1.TXT"},
        {shortcutWithRelativePath("..\\notes\\c.txt"), "..\\notes\\c.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseShortcutTarget(c.bytes), c.target);
    }
}

TEST(ShortcutTarget, ForeignAndDamagedFilesGiveNothing) {
    EXPECT_EQ(parseShortcutTarget(""), "");
    EXPECT_EQ(parseShortcutTarget("plain text, not a shortcut"), "");
    std::string wrongClass = shortcutWithLocalPath("C:\\a.txt", "");
    wrongClass[4] = 'X';
    EXPECT_EQ(parseShortcutTarget(wrongClass), "");

    // Every truncation of every kind of shortcut: never a crash, never a read past the end.
    const std::string samples[] = {
        shortcutWithLocalPath("C:\\notes\\memo.TXT", "x"),
        shortcutWithUnicodePath(u"C:\\a.txt"),
        shortcutWithNetworkPath("\\\\s\\x", "y"),
        shortcutWithItemList("C:\\", {"A", "B.TXT"}),
        shortcutWithRelativePath("r.txt"),
    };
    for (const std::string& sample : samples) {
        for (std::size_t length = 0; length < sample.size(); ++length) {
            (void)parseShortcutTarget(sample.substr(0, length));
        }
    }
    // Bytes flipped at random (fixed seed), and huge sizes in every field.
    std::mt19937 random(1234);
    for (const std::string& sample : samples) {
        for (int round = 0; round < 300; ++round) {
            std::string damaged = sample;
            for (int flips = 0; flips < 4; ++flips) {
                damaged[0x4C + random() % (damaged.size() - 0x4C)] =
                    static_cast<char>(random() & 0xFF);
            }
            (void)parseShortcutTarget(damaged);
        }
        for (std::size_t at = 0x4C; at + 4 <= sample.size(); ++at) {
            std::string damaged = sample;
            damaged.replace(at, 4, "\xFF\xFF\xFF\x7F");
            (void)parseShortcutTarget(damaged);
        }
    }
    SUCCEED();
}

TEST(ShortcutTarget, ReadsShortcutFiles) {
    std::string dir = ::testing::TempDir() + "lumaro_lnk_XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string path = dir + "/memo.lnk";
    {
        std::ofstream out(path, std::ios::binary);
        out << shortcutWithLocalPath("C:\\memo.TXT", "");
    }
    EXPECT_EQ(shortcutTarget(path), "C:\\memo.TXT");
    EXPECT_EQ(shortcutTarget(dir + "/missing.lnk"), "");
    EXPECT_EQ(shortcutTarget(dir), "");  // a directory is not a shortcut
    EXPECT_EQ(shortcutTarget(""), "");
    EXPECT_EQ(shortcutTarget("/" + std::string(10000, 'a') + ".lnk"), "");
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace lumaro::shell
