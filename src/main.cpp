// Lumaro: builds the process state and the main window, runs the event loop, and ends the
// process as soon as the main window is gone, without waiting for worker threads.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/settings_file.h"
#include "ui/qt/process_frame.h"
#include "ui/qt/window_system.h"

namespace {

// Everything the process keeps for its whole life. Built once here and handed to each part of
// the system by reference.
struct ProcessState {
    lumaro::app::SettingsFile settings = lumaro::app::SettingsFile::besideExecutable();
    lumaro::ui::qt::WindowSystem windows;
};

}  // namespace

int main(int argc, char** argv) {
    // Configuration comes only from the settings file: the command line is not read.
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QApplication app(qtArgc, qtArgv);

    // Never destroyed: workers may still use it while the process ends.
    auto* state = new ProcessState;

    // The system's handlers subscribe to the window's events here, before the window is loaded:
    // created (start-up), aboutToBeDestroyed (shutdown), sizeChanged (layout), and the events of
    // the controls and menu items.

    lumaro::ui::qt::runMainWindow(state->windows);

    // Workers still running are not waited for: end the process at once, so that none of them
    // runs against state being torn down.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
