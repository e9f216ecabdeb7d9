#pragma once
// A QApplication on the offscreen platform and a freshly opened main window per test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "ui/qt/window_system.h"

namespace lumaro::ui::qt {

inline void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "lumaro-ui-qt-test";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// Runs the event loop until `done` holds; gives up after a generous bound so that a broken
// build fails instead of hanging (this is not a timing check).
inline bool pumpUntil(const std::function<bool()>& done, int maxSeconds = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(maxSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Runs `f` on a worker thread while this (user-interface) thread keeps its loop turning, as
// the program's own event loop would while a worker touches the window.
inline void onWorker(const std::function<void()>& f) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        f();
        done = true;
    });
    pumpUntil([&] { return done.load(); }, 60);
    worker.join();
}

inline void pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class QtWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    void SetUp() override {
        ws = std::make_unique<WindowSystem>();
        mw().window.open();
        mw().上传文件框.copyImagesFrom(mw().远程文件框);
        mw().拖放对象1.registerArea(mw().上传文件框);
        pump();
    }
    void TearDown() override {
        ws.reset();
        pump();
    }
    ui::MainWindow& mw() { return ws->mainWindow(); }

    std::unique_ptr<WindowSystem> ws;
};

}  // namespace lumaro::ui::qt
