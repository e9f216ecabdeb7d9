#include "ui/qt/process_frame.h"

#include <QCoreApplication>

namespace lumaro::ui::qt {

void runMainWindow(WindowSystem& windows) {
    QCoreApplication::instance()->setProperty("quitOnLastWindowClosed", false);
    ui::MainWindow& mw = windows.mainWindow();
    // Subscribed after the system's own handlers: the loop ends once they have all run.
    mw.window.aboutToBeDestroyed.subscribe([] { QCoreApplication::quit(); });

    mw.window.open();
    mw.上传文件框.copyImagesFrom(mw.远程文件框);
    mw.拖放对象1.registerArea(mw.上传文件框);
    mw.window.created.fire();

    QCoreApplication::exec();
    windows.shutdown();
}

}  // namespace lumaro::ui::qt
