// iconIndexFor on the Qt binding: a real list view on the offscreen platform, with the
// desktop's pictures drawn by the shell layer.
#include <QApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "icons/file_icons.h"
#include "icons/file_type_table.h"
#include "platform/shell/icon_fixtures.h"
#include "ui/qt/window_system.h"

namespace lumaro::icons {
namespace {

std::uint32_t red(int, int) {
    return 0xFFFF0000u;
}
std::uint32_t s_colour = 0;  // the colour of the next fixture icon (set before building it)
std::uint32_t colourOfTheMoment(int, int) {
    return s_colour;
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

        // A worker appends through blocking calls to this thread while this thread looks up
        // icons too: the icon list's lock is never held across a list call, so neither waits
        // for the other forever.
        constexpr int kFiles = 12;
        for (int i = 0; i < kFiles; ++i) {
            const std::uint32_t colour = 0xFF000000u | static_cast<std::uint32_t>(i * 20 + 10);
            s_colour = colour;
            std::ofstream(dir + "/c" + std::to_string(i) + ".ico", std::ios::binary)
                << fixtures::ico({{32, 32, fixtures::dib32(32, colourOfTheMoment)}});
        }
        std::atomic<bool> done{false};
        std::thread worker([&] {
            for (int i = 0; i < kFiles; ++i) {
                icons.iconIndexFor(dir + "/c" + std::to_string(i) + ".ico", false);
            }
            done = true;
        });
        for (int i = kFiles - 1; i >= 0; --i) {
            icons.iconIndexFor(dir + "/c" + std::to_string(i) + ".ico", false);
            QCoreApplication::processEvents();
        }
        while (!done) {
            QCoreApplication::processEvents();
        }
        worker.join();
        EXPECT_GE(list.imageCount(), 14 + kFiles);
        EXPECT_LE(list.imageCount(), 14 + 2 * kFiles);

        window.window.close();
        windows.shutdown();
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace lumaro::icons
