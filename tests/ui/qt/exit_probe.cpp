// ui_exit_probe: the process frame with workers that never stop. Runs the main window the way
// the program does, with two detached workers hammering its controls (one of them waiting on a
// dialog), closes the window from the event loop after a few turns, and ends the process the
// way main() does. The exit test expects it to end on its own with status 0.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "ui/qt/process_frame.h"
#include "ui/qt/window_system.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto* windows = new lumaro::ui::qt::WindowSystem;
    lumaro::ui::MainWindow& mw = windows->mainWindow();

    mw.window.created.subscribe([&mw] {
        std::thread([&mw] {
            for (long i = 0;; ++i) {
                const int row = mw.远程文件框.addRow("文件.txt", 7);
                mw.远程文件框.setCellText(row, 1, "1.5");
                mw.消息框.appendAtEnd("一行\r\n");
                mw.状态条1.setPartText(1, mw.状态条1.partText(2));
                if (i % 1000 == 999) {
                    mw.远程文件框.clear();
                }
            }
        }).detach();
        std::thread([&mw] {
            for (;;) {
                mw.上传钮.setCaption(mw.下载钮.caption());
            }
        }).detach();
        // Close from the loop once the workers are well under way.
        QTimer::singleShot(300, [&mw] { mw.window.close(); });
    });
    int closing = 0;
    mw.window.aboutToBeDestroyed.subscribe(
        [&closing, &mw] { closing = mw.上传钮.caption() == "下载" ? 1 : 2; });

    lumaro::ui::qt::runMainWindow(*windows);

    std::printf("closed: %d\n", closing);
    std::fflush(nullptr);
    std::_Exit(closing == 1 ? EXIT_SUCCESS : 3);
}
