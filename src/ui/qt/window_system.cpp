#include "ui/qt/window_system.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMainWindow>
#include <QMenuBar>
#include <QResizeEvent>

#include "ui/control_designs.h"
#include "ui/main_window_design.h"
#include "ui/qt/artwork.h"
#include "ui/qt/text_bridge.h"
#include "ui/server_manager_design.h"

namespace lumaro::ui::qt {

namespace {

// The main window's frame: reports its close before Qt deletes it.
class MainFrame : public QMainWindow {
public:
    explicit MainFrame(std::function<void()> onClose) : m_onClose(std::move(onClose)) {
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void closeEvent(QCloseEvent* e) override {
        m_onClose();
        QMainWindow::closeEvent(e);
    }

private:
    std::function<void()> m_onClose;
};

// A client area whose controls sit at fixed pixel places; reports its size changes.
class ClientArea : public QWidget {
public:
    ClientArea(QWidget* parent, std::function<void(int, int)> onResize)
        : QWidget(parent), m_onResize(std::move(onResize)) {}

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        m_onResize(e->size().width(), e->size().height());
    }

private:
    std::function<void(int, int)> m_onResize;
};

// The server-management window: a top-level window owned by the main window.
class ServerFrame : public QWidget {
public:
    ServerFrame(QWidget* owner, std::function<void()> onClose)
        : QWidget(owner, Qt::Window), m_onClose(std::move(onClose)) {
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void closeEvent(QCloseEvent* e) override {
        m_onClose();
        QWidget::closeEvent(e);
    }

private:
    std::function<void()> m_onClose;
};

std::size_t itemCount() {
    std::size_t n = 0;
    auto count = [&n](const auto& entries) {
        for (const auto& e : entries) {
            n += e.text != nullptr ? 1 : 0;
        }
    };
    count(design::kMenuFtpEntries);
    count(design::kMenuLocalEntries);
    count(design::kMenuRemoteEntries);
    count(design::kMenuHelpEntries);
    return n;
}

QColor qColor(Color c) {
    return QColor(c.red, c.green, c.blue);
}

// Every visible text is Chinese: prefer the CJK font installed with the program's packages.
void chooseFont() {
    const QStringList families = QFontDatabase::families();
    for (const QString& name :
         {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")}) {
        if (families.contains(name)) {
            QFont font(name);
            font.setPixelSize(12);
            QApplication::setFont(font);
            return;
        }
    }
}

}  // namespace

MainWindowControls::MainWindowControls(UiThread& ui, std::function<QWidget*()> build)
    : window(ui, std::move(build)),
      工具条1(ui, toolButtonDesigns(), toolPictures()),
      反退钮1(ui),
      本地目录框(ui),
      浏览钮(ui),
      反退钮(ui),
      FTP目录框(ui),
      标签4(ui),
      标签5(ui),
      上传文件框(ui, columnDesigns(design::kLocalColumns), {}),
      远程文件框(ui, columnDesigns(design::kRemoteColumns), fileTypeIcons()),
      上传钮(ui),
      下载钮(ui),
      消息框(ui),
      状态条1(ui),
      进度条1(ui),
      时钟1(ui),
      时钟_进度(ui),
      拖放对象1(ui) {
    for (std::size_t i = 0; i < itemCount(); ++i) {
        items.push_back(std::make_unique<MenuItem>(ui));
    }
    for (int m = 0; m < 4; ++m) {
        menus.push_back(std::make_unique<Menu>(ui));
    }
    std::size_t next = 0;
    auto assign = [&](Menu& menu, const auto& entries) {
        std::vector<MenuItem*> own;
        for (const auto& e : entries) {
            if (e.text != nullptr) {
                own.push_back(items[next++].get());
            }
        }
        menu.setItems(std::move(own));
    };
    assign(*menus[0], design::kMenuFtpEntries);
    assign(*menus[1], design::kMenuLocalEntries);
    assign(*menus[2], design::kMenuRemoteEntries);
    assign(*menus[3], design::kMenuHelpEntries);
}

ServerManagerControls::ServerManagerControls(UiThread& ui, std::function<QWidget*()> build)
    : window(ui, std::move(build)),
      标签4(ui),
      组合框_服务器名称(ui),
      按钮4(ui),
      按钮5(ui),
      标签1(ui),
      编辑框_服务器地址(ui),
      标签5(ui),
      编辑框_端口(ui),
      标签2(ui),
      编辑框_用户名(ui),
      标签3(ui),
      编辑框_密码(ui),
      按钮3(ui),
      按钮2(ui) {}

WindowSystem::WindowSystem()
    : m_dialogs(m_ui),
      main(m_ui, [this] { return buildMainWindow(); }),
      server(m_ui, [this] { return buildServerManagerWindow(); }),
      m_mainWindow{
          main.window,     m_dialogs,       main.工具条1,   main.反退钮1,   main.本地目录框,
          main.浏览钮,     main.反退钮,     main.FTP目录框, main.标签4,     main.标签5,
          main.上传文件框, main.远程文件框, main.上传钮,    main.下载钮,    main.消息框,
          main.状态条1,    main.进度条1,    main.时钟1,     main.时钟_进度, main.拖放对象1,
          *main.menus[0],  *main.menus[1],  *main.menus[2], *main.menus[3], main.item(0),
          main.item(1),    main.item(2),    main.item(3),   main.item(4),   main.item(5),
          main.item(6),    main.item(7),    main.item(8),   main.item(9),   main.item(10),
          main.item(11),   main.item(12),   main.item(13),  main.item(14),  main.item(15),
          main.item(16),   main.item(17),   main.item(18),  main.item(19)},
      m_serverWindow{server.window, m_dialogs,          server.标签4, server.组合框_服务器名称,
                     server.按钮4,  server.按钮5,       server.标签1, server.编辑框_服务器地址,
                     server.标签5,  server.编辑框_端口, server.标签2, server.编辑框_用户名,
                     server.标签3,  server.编辑框_密码, server.按钮3, server.按钮2} {
    chooseFont();
}

WindowSystem::~WindowSystem() {
    // Widgets still open go first, while the wrappers they report to still exist.
    delete server.window.topLevel();
    delete main.window.topLevel();
    m_ui.shutdown();
}

QMainWindow* WindowSystem::mainFrame() const {
    return qobject_cast<QMainWindow*>(main.window.topLevel());
}

QWidget* WindowSystem::buildMainWindow() {
    auto* frame = new MainFrame([this] {
        main.window.notifyClosing();
        // The server-management window is owned by this one and goes with it, through its own
        // about-to-be-destroyed handlers.
        server.window.close();
    });
    frame->setWindowTitle(toQString(design::kMainCaption));

    const char* titles[4] = {design::kMenuFtp, design::kMenuLocal, design::kMenuRemote,
                             design::kMenuHelp};
    for (int m = 0; m < 4; ++m) {
        main.menus[static_cast<std::size_t>(m)]->create(frame, titles[m]);
    }
    main.menus[0]->addEntries(design::kMenuFtpEntries);
    main.menus[1]->addEntries(design::kMenuLocalEntries);
    main.menus[2]->addEntries(design::kMenuRemoteEntries);
    main.menus[3]->addEntries(design::kMenuHelpEntries);
    for (auto& menu : main.menus) {
        frame->menuBar()->addMenu(menu->menu());
    }

    auto* client = new ClientArea(frame, [this](int w, int h) {
        // The status bar runs along the bottom edge whatever the size.
        if (QStatusBar* bar = main.状态条1.widget()) {
            const int barHeight = bar->sizeHint().height();
            bar->setGeometry(0, h - barHeight, w, barHeight);
        }
        main.window.sizeChanged.fire(w, h);
    });
    frame->setCentralWidget(client);

    main.工具条1.create(client, design::kToolbar);
    main.反退钮1.create(client, design::k反退钮1.text, design::k反退钮1.place);
    main.本地目录框.create(client, design::k本地目录框, 0);
    main.浏览钮.create(client, design::k浏览钮.text, design::k浏览钮.place);
    main.反退钮.create(client, design::k反退钮.text, design::k反退钮.place);
    main.FTP目录框.create(client, "", design::kFTP目录框, 0);
    main.标签4.create(client, design::k标签4.text, design::k标签4.place);
    main.标签5.create(client, design::k标签5.text, design::k标签5.place);
    main.上传文件框.create(client, design::k上传文件框,
                           {qColor(design::kLocalText), qColor(design::kLocalBackground), true});
    main.远程文件框.create(client, design::k远程文件框,
                           {qColor(design::kRemoteText), qColor(design::kRemoteBackground), false});
    main.上传钮.create(client, design::k上传钮.text, design::k上传钮.place);
    main.下载钮.create(client, design::k下载钮.text, design::k下载钮.place);
    main.消息框.create(client, design::k消息框, design::kLogBackground);
    main.状态条1.create(client,
                        {design::kStatusPartWidths.begin(), design::kStatusPartWidths.end()});
    main.进度条1.create(client, design::k进度条1, design::kProgressMinimum,
                        design::kProgressMaximum);
    main.时钟1.create(frame);
    main.时钟_进度.create(frame);

    main.window.setClientArea(client);
    main.window.setDesignedOuter(design::kMainOuter);
    Window::placeOuter(frame, design::kMainOuter);
    return frame;
}

QWidget* WindowSystem::buildServerManagerWindow() {
    auto* frame =
        new ServerFrame(main.window.topLevel(), [this] { server.window.notifyClosing(); });
    frame->setWindowTitle(toQString(design::kServerCaption));

    server.标签4.create(frame, design::k服务器_标签4.text, design::k服务器_标签4.place);
    server.组合框_服务器名称.create(frame, design::k组合框_服务器名称.place,
                                    design::k组合框_服务器名称.limit);
    server.按钮4.create(frame, design::k按钮4.text, design::k按钮4.place);
    server.按钮5.create(frame, design::k按钮5.text, design::k按钮5.place);
    server.标签1.create(frame, design::k服务器_标签1.text, design::k服务器_标签1.place);
    server.编辑框_服务器地址.create(frame, design::k编辑框_服务器地址.text,
                                    design::k编辑框_服务器地址.place,
                                    design::k编辑框_服务器地址.limit);
    server.标签5.create(frame, design::k服务器_标签5.text, design::k服务器_标签5.place);
    server.编辑框_端口.create(frame, design::k编辑框_端口.text, design::k编辑框_端口.place,
                              design::k编辑框_端口.limit);
    server.标签2.create(frame, design::k服务器_标签2.text, design::k服务器_标签2.place);
    server.编辑框_用户名.create(frame, design::k编辑框_用户名.text, design::k编辑框_用户名.place,
                                design::k编辑框_用户名.limit);
    server.标签3.create(frame, design::k服务器_标签3.text, design::k服务器_标签3.place);
    server.编辑框_密码.create(frame, design::k编辑框_密码.text, design::k编辑框_密码.place,
                              design::k编辑框_密码.limit);
    server.按钮3.create(frame, design::k按钮3.text, design::k按钮3.place);
    server.按钮2.create(frame, design::k按钮2.text, design::k按钮2.place);

    server.window.setClientArea(frame);
    server.window.setDesignedOuter(design::kServerOuter);
    Window::placeOuter(frame, design::kServerOuter);
    return frame;
}

}  // namespace lumaro::ui::qt
