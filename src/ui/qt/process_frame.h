#pragma once
// The frame of the process around the main window: load it, run the event loop, shut down.
#include <functional>

#include "ui/qt/window_system.h"

namespace lumaro::ui::qt {

// On the thread that owns the QApplication: builds MainWindow (its controls at their designed
// places, at 50,50 with outer size 728 x 592), gives 上传文件框 its copy of the icon set of
// 远程文件框 before any row, makes 上传文件框 the drop area of 拖放对象1, raises the created event,
// and runs the event loop until the window has been closed and its about-to-be-destroyed handlers
// have run. Then shuts the window layer down, so that workers still touching the window get empty
// answers at once instead of waiting for a loop that has ended, and returns. The caller ends the
// process right away (std::_Exit) without waiting for worker threads.
void runMainWindow(WindowSystem& windows);

}  // namespace lumaro::ui::qt
