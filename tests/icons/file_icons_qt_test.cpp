// iconIndexFor on the Qt binding: a real list view on the offscreen platform, with the
// desktop's pictures drawn by the shell layer.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "icons/file_icons.h"
#include "icons/file_type_table.h"
#include "platform/shell/icon_fixtures.h"
#include "ui/qt/window_system.h"

namespace lumaro::icons {
namespace {

std::uint32_t red(int, int) {
    return 0xFFFF0000u;
}

TEST(FileIconsOnQt, AppendsToTheRealListAndReusesEqualPictures) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "icons_qt_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    std::string dir = ::testing::TempDir() + "lumaro_icons_qt_XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    std::ofstream(dir + "/red.ico", std::ios::binary)
        << fixtures::ico({{32, 32, fixtures::dib32(32, red)}});
    std::ofstream(dir + "/report.pdf") << "%PDF-1.4";
    std::ofstream(dir + "/notes.txt") << "x";

    {
        ui::qt::WindowSystem windows;
        ui::MainWindow& window = windows.mainWindow();
        window.window.open();
        ui::ListView& list = window.上传文件框;
        if (list.imageCount() == 0) {
            list.copyImagesFrom(window.远程文件框);
        }
        ASSERT_EQ(list.imageCount(), kFileTypeIconCount);

        FileIcons icons(list, dir);
        EXPECT_EQ(icons.iconIndexFor(dir + "/notes.txt", false), 7);
        EXPECT_EQ(icons.iconIndexFor(dir + "/red.ico", false), 12);
        EXPECT_EQ(icons.iconIndexFor(dir + "/report.pdf", false), 13);
        EXPECT_EQ(list.image(12).pixel(16, 16), 0xFFFF0000u);
        // The desktop's picture for the document, with the black background keyed out.
        const ui::Image rendered = list.image(13);
        ASSERT_TRUE(rendered.isValid());
        bool opaque = false;
        for (const std::uint32_t pixel : rendered.pixels) {
            opaque = opaque || (pixel >> 24) == 0xFF;
        }
        EXPECT_TRUE(opaque);
        EXPECT_EQ(rendered.pixel(0, 0) >> 24, 0u);
        // Listing again reuses both pictures.
        EXPECT_EQ(icons.iconIndexFor(dir + "/red.ico", false), 12);
        EXPECT_EQ(icons.iconIndexFor(dir + "/report.pdf", false), 13);
        EXPECT_EQ(list.imageCount(), 14);
        window.window.close();
        windows.shutdown();
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace lumaro::icons
