// renderFileIcon with a real GUI application on the offscreen platform.
#include "platform/shell/render_file_icon.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <string>
#include <thread>

#include "platform/shell/picture.h"

namespace lumaro::shell {
namespace {

std::uint32_t readU32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint8_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24;
}

class RenderFileIcon : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "shell_render_test";
        static char* argv[] = {name, nullptr};
        s_app = new QGuiApplication(argc, argv);
        std::string dir = ::testing::TempDir() + "lumaro_render_XXXXXX";
        ASSERT_NE(::mkdtemp(dir.data()), nullptr);
        s_dir = dir;
        for (const char* name : {"a.txt", "b.txt", "c.pdf", "setup.exe", "noext"}) {
            std::ofstream(s_dir + "/" + name) << "hello";
        }
    }
    static void TearDownTestSuite() {
        std::system(("rm -rf '" + s_dir + "'").c_str());
        delete s_app;
        s_app = nullptr;
    }
    static std::string path(const char* name) { return s_dir + "/" + name; }

    static QGuiApplication* s_app;
    static std::string s_dir;
};

QGuiApplication* RenderFileIcon::s_app = nullptr;
std::string RenderFileIcon::s_dir;

TEST_F(RenderFileIcon, DrawsTheDesktopIconOverTheBackground) {
    clearRenderedIconCache();
    const std::string bmp = renderFileIcon(path("a.txt"), 32, 32, kBlack);
    ASSERT_EQ(bmp.size(), 54u + 32u * 32u * 4u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(readU32(bmp, 18), 32u);
    EXPECT_EQ(readU32(bmp, 22), 32u);
    // Something other than the background was drawn.
    bool drawn = false;
    for (std::size_t at = 54; at < bmp.size(); at += 4) {
        drawn = drawn || (readU32(bmp, at) & 0xFFFFFF) != 0;
    }
    EXPECT_TRUE(drawn);
    // A white background shows where the icon leaves the surface free; a black one does not.
    const std::string white = renderFileIcon(path("a.txt"), 32, 32, kWhite);
    EXPECT_TRUE(white != bmp);
    const std::string wide = renderFileIcon(path("a.txt"), 48, 16, kBlack);
    EXPECT_EQ(readU32(wide, 18), 48u);
    EXPECT_EQ(readU32(wide, 22), 16u);
}

TEST_F(RenderFileIcon, FilesOfOneTypeShareAPictureButExecutablesDoNot) {
    clearRenderedIconCache();
    // Compared as booleans: a failure must not print two pictures byte by byte.
    EXPECT_TRUE(renderFileIcon(path("a.txt"), 32, 32, kBlack) ==
                renderFileIcon(path("b.txt"), 32, 32, kBlack));
    EXPECT_TRUE(renderFileIcon(path("a.txt"), 32, 32, kBlack) !=
                renderFileIcon(path("c.pdf"), 32, 32, kBlack));
    // The desktop's own picture, not the plain one drawn when there is none.
    EXPECT_TRUE(renderFileIcon(path("a.txt"), 32, 32, kBlack) !=
                encodeBmp(genericDocumentPicture(32, 32, kBlack)));
    // Executables are drawn every time (same picture here, but never taken from the store).
    EXPECT_FALSE(renderFileIcon(path("setup.exe"), 32, 32, kBlack).empty());
    EXPECT_FALSE(renderFileIcon(path("noext"), 32, 32, kBlack).empty());
    EXPECT_FALSE(renderFileIcon(path("missing.zzz"), 32, 32, kBlack).empty());
    EXPECT_FALSE(renderFileIcon("/" + std::string(10000, 'a'), 32, 32, kBlack).empty());
}

TEST_F(RenderFileIcon, WorkerThreadsAreServedByTheGuiThread) {
    clearRenderedIconCache();
    const std::string expected = renderFileIcon(path("c.pdf"), 32, 32, kBlack);
    clearRenderedIconCache();
    auto result = std::async(std::launch::async,
                             [] { return renderFileIcon(path("c.pdf"), 32, 32, kBlack); });
    // Serve the event loop until the worker has its picture.
    while (result.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(result.get() == expected);
}

}  // namespace
}  // namespace lumaro::shell
