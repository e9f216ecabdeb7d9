#pragma once
// WindowSystem: one binding of the window layer (Qt or headless) as the system sees it.
//
// Built once by main.cpp (Qt) or by a test (headless) and handed to the system by reference.
// Every method may be called from any thread.
#include <functional>

#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/server_manager_window.h"

namespace lumaro::ui {

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual MainWindow& mainWindow() = 0;
    virtual ServerManagerWindow& serverManagerWindow() = 0;
    virtual Dialogs& dialogs() = 0;

    // True on the thread that runs the event loop and every handler.
    virtual bool isUiThread() const = 0;
    // Runs `task` later on the user-interface thread and returns at once (headless: runs it at
    // once on the calling thread). Dropped once the binding has shut down (Qt: after the event
    // loop has ended; headless: while the main window is not open).
    virtual void post(std::function<void()> task) = 0;
};

}  // namespace lumaro::ui
