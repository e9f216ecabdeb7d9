// The screenshot check: scripts/screenshot (the path scripts/run takes without a display) runs
// the real program under Xvfb and leaves a PNG in which the Chinese texts are drawn as glyphs,
// not as the boxes a font without them would show.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ui/main_window_design.h"
#include "ui/qt/qt_fixture.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {
namespace {

// Mean absolute grey-level difference between `shot` at (x, y) and `ref`.
double difference(const QImage& shot, int x, int y, const QImage& ref) {
    double sum = 0;
    for (int j = 0; j < ref.height(); ++j) {
        for (int i = 0; i < ref.width(); ++i) {
            sum += std::abs(qGray(shot.pixel(x + i, y + j)) - qGray(ref.pixel(i, j)));
        }
    }
    return sum / (ref.width() * ref.height());
}

// The smallest difference of `ref` placed anywhere within `slack` pixels of (x, y).
double bestDifference(const QImage& shot, int x, int y, const QImage& ref, int slack) {
    double best = 1e9;
    for (int dy = -slack; dy <= slack; ++dy) {
        for (int dx = -slack; dx <= slack; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px >= 0 && py >= 0 && px + ref.width() <= shot.width() &&
                py + ref.height() <= shot.height()) {
                best = std::min(best, difference(shot, px, py, ref));
            }
        }
    }
    return best;
}

// Dark pixels of the label's text in the screenshot.
int inkPixels(const QImage& img) {
    int ink = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            ink += qGray(img.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return ink;
}

using QtScreenshot = QtWindowTest;

TEST_F(QtScreenshot, TheFontHasEveryCharacterOfTheWindowTexts) {
    const QFontMetrics metrics(QApplication::font());
    std::vector<const char*> texts = {
        design::k标签4.text,  design::k标签5.text,  design::k上传钮.text, design::k下载钮.text,
        design::k反退钮.text, design::k浏览钮.text, design::kMenuFtp,     design::kMenuLocal,
        design::kMenuRemote,  design::kMenuHelp};
    for (const auto& e : design::kMenuLocalEntries) {
        if (e.text != nullptr) {
            texts.push_back(e.text);
        }
    }
    for (const auto& c : design::kRemoteColumns) {
        texts.push_back(c.title);
    }
    for (const char* t : texts) {
        const QString s = toQString(t);
        for (const uint c : s.toUcs4()) {
            EXPECT_TRUE(metrics.inFontUcs4(c)) << t << " U+" << std::hex << c;
        }
    }
}

TEST_F(QtScreenshot, RunWithoutDisplayLeavesAPictureWithChineseGlyphs) {
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "lumaro-screenshot-check";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path png = dir / "screenshot.png";
    const std::string command = std::string("env -u DISPLAY \"") + LUMARO_SOURCE_DIR +
                                "/scripts/screenshot\" \"" + LUMARO_BINARY_DIR + "/lumaro\" \"" +
                                png.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_TRUE(std::filesystem::exists(png));
    const QImage shot(QString::fromStdString(png.string()));
    ASSERT_FALSE(shot.isNull());

    // The picture is the window alone: under a bare Xvfb it has no frame, so its size is the
    // designed outer size, and the label "本地文件列表：" sits where it does in this process's
    // copy of the window.
    EXPECT_EQ(shot.width(), 728);
    EXPECT_EQ(shot.height(), 592);
    QLabel* label = ws->main.标签4.widget();
    QWidget* top = ws->main.window.topLevel();
    const QPoint at = label->mapTo(top, QPoint(0, 0));
    ASSERT_LE(at.x() + label->width(), shot.width());
    ASSERT_LE(at.y() + label->height(), shot.height());
    EXPECT_GT(inkPixels(shot.copy(QRect(at, label->size()))), 20) << "the label is drawn";

    // The label as drawn with the real glyphs, and as it would look with boxes: the same number
    // of characters the font does not have.
    const QImage real = label->grab().toImage();
    const QString text = label->text();
    label->setText(QString(text.size(), QChar(0xE000)));
    const QImage boxes = label->grab().toImage();
    label->setText(text);
    ASSERT_GT(difference(real, 0, 0, boxes), 2.0) << "glyphs and boxes must look different";

    const double toReal = bestDifference(shot, at.x(), at.y(), real, 6);
    const double toBoxes = bestDifference(shot, at.x(), at.y(), boxes, 6);
    EXPECT_LT(toReal, toBoxes);
    EXPECT_LT(toReal, 8.0) << "the screenshot shows the label as drawn with the real glyphs";
    std::printf("difference to glyphs %.2f, to boxes %.2f\n", toReal, toBoxes);
}

}  // namespace
}  // namespace lumaro::ui::qt
