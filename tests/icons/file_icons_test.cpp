// iconIndexFor on the headless window layer, with real files and the real shell layer (no
// GUI application here, so rendered pictures are the shell's plain document picture).
#include "icons/file_icons.h"

#include <dirent.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "icons/file_type_table.h"
#include "platform/shell/icon_fixtures.h"
#include "ui/headless/window_system.h"

namespace lumaro::icons {
namespace {

using namespace lumaro::fixtures;

std::uint32_t red(int, int) {
    return 0xFFFF0000u;
}
std::uint32_t green(int, int) {
    return 0xFF00FF00u;
}

class FileIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "lumaro_icons_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_temp = m_root + "/temp";
        ASSERT_EQ(::mkdir(m_temp.c_str(), 0755), 0);
        m_windows.main.window.open();
        list().copyImagesFrom(m_windows.mainWindow().远程文件框);
        ASSERT_EQ(list().imageCount(), kFileTypeIconCount);
        m_icons = std::make_unique<FileIcons>(list(), m_temp);
    }
    void TearDown() override { std::system(("rm -rf '" + m_root + "'").c_str()); }

    ui::ListView& list() { return m_windows.mainWindow().上传文件框; }
    std::string path(const std::string& name) const { return m_root + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    int local(const std::string& name) { return m_icons->iconIndexFor(path(name), false); }
    // Files left in the temporary directory (the temporary icon files must all be gone).
    int temporaryFiles() const {
        int count = 0;
        DIR* dir = ::opendir(m_temp.c_str());
        while (const dirent* entry = ::readdir(dir)) {
            count += entry->d_name[0] != '.';
        }
        ::closedir(dir);
        return count;
    }

    std::string m_root;
    std::string m_temp;
    ui::headless::WindowSystem m_windows;
    std::unique_ptr<FileIcons> m_icons;
};

TEST_F(FileIconsTest, BareNamesUseTheTableAndNeverGrowTheList) {
    const std::pair<const char*, int> cases[] = {
        {"readme", 0},    {"notes.TXT", 7}, {"page.htm", 11},  {"page.html", 11}, {"a.h", 5},
        {"setup.exe", 4}, {"SETUP.EXE", 5}, {"photo.jpeg", 5}, {"lib.dll", 8},    {"a.gif", 1},
        {"x.db", 8},      {"memo.lnk", 5},  {"pic.BMP", 2},    {"a.", 5},         {"数据.rar", 10},
        {"site.ASP", 9},  {"my.ini", 6},    {"a.jpg", 3},      {"a.PNG", 1},
    };
    for (const auto& [name, index] : cases) {
        EXPECT_EQ(m_icons->iconIndexFor(name, true), index) << name;
    }
    EXPECT_EQ(list().imageCount(), kFileTypeIconCount);
}

TEST_F(FileIconsTest, DirectoriesAndDotlessTextsGetTheFolder) {
    ASSERT_EQ(::mkdir(path("plain").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(path("a.b").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(path("data.txt").c_str(), 0755), 0);
    write("a.b/readme", "x");
    EXPECT_EQ(local("plain"), 0);
    EXPECT_EQ(local("a.b"), 0);       // exactly 16
    EXPECT_EQ(local("data.txt"), 0);  // a directory comes first, whatever its name
    EXPECT_EQ(m_icons->iconIndexFor("readme", false), 0);
    EXPECT_EQ(list().imageCount(), kFileTypeIconCount);
    // The dot in the directory counts: the file gets a rendered picture appended.
    EXPECT_EQ(local("a.b/readme"), 12);
    EXPECT_EQ(list().imageCount(), 13);
    // A directory whose word is not exactly 16 (hidden: 18) is judged by its extension.
    ASSERT_EQ(::mkdir(path(".notes.txt").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(path(".cache.d").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(path(".config").c_str(), 0755), 0);
    EXPECT_EQ(local(".notes.txt"), 7);
    EXPECT_GE(local(".cache.d"), 12);  // outside the table: the desktop's picture
    EXPECT_GE(local(".config"), 12);
}

TEST_F(FileIconsTest, LocalFilesInTheTableKeepTheirIndex) {
    write("notes.TXT", "x");
    write("lib.dll", peWithIcon({32, 32, dib32(32, red)}));
    write("page.html", "<p>");
    EXPECT_EQ(local("notes.TXT"), 7);
    EXPECT_EQ(local("lib.dll"), 8);  // never an extracted icon
    EXPECT_EQ(local("page.html"), 11);
    EXPECT_EQ(local("missing.htm"), 11);
    EXPECT_EQ(list().imageCount(), kFileTypeIconCount);
}

TEST_F(FileIconsTest, IconsOfTheirOwnAreAppendedOnceAndReused) {
    write("red.ico", ico({{32, 32, dib32(32, red)}}));
    write("green.exe", peWithIcon({32, 32, dib32(32, green)}));
    write("copy.ico", ico({{32, 32, dib32(32, red)}}));
    EXPECT_EQ(local("red.ico"), 12);
    EXPECT_EQ(local("green.exe"), 13);
    EXPECT_EQ(list().image(12).pixel(4, 4), 0xFFFF0000u);
    EXPECT_EQ(list().image(13).pixel(4, 4), 0xFF00FF00u);
    // The same pictures again (another listing, another file with the same icon): reused.
    for (int round = 0; round < 5; ++round) {
        EXPECT_EQ(local("red.ico"), 12);
        EXPECT_EQ(local("green.exe"), 13);
        EXPECT_EQ(local("copy.ico"), 12);
    }
    EXPECT_EQ(list().imageCount(), 14);
    EXPECT_EQ(temporaryFiles(), 0);
}

TEST_F(FileIconsTest, ExecutablesWithoutIconsFallBack) {
    const std::string plain = peExecutable({});
    write("setup.exe", plain);
    write("SETUP.EXE", plain);
    write("broken.exe", peWithIcon({32, 32, dib32(32, red)}).substr(0, 0x230));
    write("broken.ico", ico({{32, 32, dib32(32, red)}}).substr(0, 30));
    write("empty.icl", "");
    EXPECT_EQ(local("setup.exe"), 4);
    EXPECT_EQ(local("SETUP.EXE"), 5);
    EXPECT_EQ(local("broken.exe"), 4);
    EXPECT_EQ(local("broken.ico"), 5);
    EXPECT_EQ(local("empty.icl"), 5);
    EXPECT_EQ(local("missing.exe"), 4);
    EXPECT_EQ(list().imageCount(), kFileTypeIconCount);
    EXPECT_EQ(temporaryFiles(), 0);
}

TEST_F(FileIconsTest, ShortcutsToTextFiles) {
    write("memo.lnk", shortcutWithLocalPath("C:\\notes\\memo.TXT", ""));
    write("MEMO.LNK", shortcutWithLocalPath("C:\\notes\\memo.TXT", ""));
    write("tool.lnk", shortcutWithLocalPath("C:\\tools\\tool.exe", ""));
    write("damaged.lnk", shortcutWithLocalPath("C:\\memo.txt", "").substr(0, 80));
    EXPECT_EQ(local("memo.lnk"), 1);
    EXPECT_EQ(m_icons->iconIndexFor(path("memo.lnk"), true), 1);  // bare-name mode resolves too
    EXPECT_GE(local("MEMO.LNK"), 12);  // not a shortcut by its upper-case name: rendered
    EXPECT_GE(local("tool.lnk"), 12);  // a shortcut to something else: rendered
    EXPECT_GE(local("damaged.lnk"), 12);
    EXPECT_EQ(m_icons->iconIndexFor(path("tool.lnk"), true), 5);
}

TEST_F(FileIconsTest, RenderedPicturesOfOneLookShareAnIndex) {
    write("a.pdf", "%PDF");
    write("b.zip", "PK");
    const int first = local("a.pdf");
    EXPECT_EQ(first, 12);
    EXPECT_EQ(local("b.zip"), first);  // the same plain picture without a desktop
    EXPECT_EQ(local("a.pdf"), first);
    EXPECT_EQ(list().imageCount(), 13);
    // The picture has black keyed out: its corners are transparent.
    EXPECT_EQ(list().image(first).pixel(0, 0) >> 24, 0u);
}

TEST_F(FileIconsTest, BadNamesNeverCrash) {
    write("bad\xff\xfe.zzz", "x");
    EXPECT_GE(local("bad\xff\xfe.zzz"), 5);
    const std::string longPath = "/" + std::string(10000, 'a') + ".exe";
    EXPECT_EQ(m_icons->iconIndexFor(longPath, false), 4);
    EXPECT_EQ(m_icons->iconIndexFor(longPath, true), 4);
    EXPECT_EQ(m_icons->iconIndexFor("", false), 0);
    EXPECT_EQ(m_icons->iconIndexFor("\x81.txt", true), 0);  // the dot is a trail byte
}

TEST_F(FileIconsTest, OverlappingLookupsKeepTheirOwnTemporaryFiles) {
    write("red.ico", ico({{32, 32, dib32(32, red)}}));
    write("green.exe", peWithIcon({32, 32, dib32(32, green)}));
    std::vector<std::thread> threads;
    std::vector<std::vector<int>> results(4);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, t, &results] {
            for (int i = 0; i < 25; ++i) {
                results[t].push_back(local(i % 2 == 0 ? "red.ico" : "green.exe"));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    // Every lookup got an image of its own picture (never the other file's icon read from a
    // shared temporary file).
    for (const auto& run : results) {
        for (std::size_t i = 0; i < run.size(); ++i) {
            ASSERT_GE(run[i], 12);
            EXPECT_EQ(list().image(run[i]).pixel(0, 0), i % 2 == 0 ? 0xFFFF0000u : 0xFF00FF00u);
        }
    }
    // Lookups that raced on a new picture may each have appended it once; no more than that,
    // and from then on the list stays as it is.
    const int size = list().imageCount();
    EXPECT_GE(size, 14);
    EXPECT_LE(size, 12 + 2 * 4);
    for (int i = 0; i < 10; ++i) {
        local("red.ico");
        local("green.exe");
    }
    EXPECT_EQ(list().imageCount(), size);
    EXPECT_EQ(temporaryFiles(), 0);
}

TEST_F(FileIconsTest, AClosedWindowMakesLocalLookupsFallBack) {
    write("red.ico", ico({{32, 32, dib32(32, red)}}));
    m_windows.main.window.close();
    EXPECT_EQ(local("red.ico"), 5);
    EXPECT_EQ(temporaryFiles(), 0);
}

}  // namespace
}  // namespace lumaro::icons
