#include "ui/headless/window_system.h"

#include "ui/control_designs.h"
#include "ui/main_window_design.h"
#include "ui/server_manager_design.h"

namespace lumaro::ui::headless {

namespace {

// A square picture in one colour with a darker frame and four transparent corner pixels.
Image squarePicture(int size, std::uint32_t rgb) {
    Image img{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size))};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
            const bool frame = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            const std::uint32_t colour = frame ? (rgb >> 1) & 0x7F7F7F : rgb;
            img.pixels[static_cast<std::size_t>(y * size + x)] =
                corner ? 0u : (0xFF000000u | colour);
        }
    }
    return img;
}

template <std::size_t N>
std::vector<MenuItem*> addItems(std::vector<std::unique_ptr<MenuItem>>& items,
                                const AliveFlag& alive,
                                const std::array<design::MenuEntry, N>& entries) {
    std::vector<MenuItem*> menuEntries;
    for (const auto& e : entries) {
        if (e.text == nullptr) {
            menuEntries.push_back(nullptr);
            continue;
        }
        items.push_back(std::make_unique<MenuItem>(alive, e.text, e.shortcut, e.checkable));
        menuEntries.push_back(items.back().get());
    }
    return menuEntries;
}

}  // namespace

std::vector<Image> placeholderFileIcons() {
    static const std::uint32_t colours[design::kFileIconCount] = {
        0xF0C040, 0x40A0F0, 0xA040F0, 0x40C080, 0x808080, 0xF0F0F0,
        0x606060, 0xF0F0A0, 0x404040, 0x4080C0, 0xC08040, 0x2060E0};
    std::vector<Image> icons;
    for (std::uint32_t c : colours) {
        icons.push_back(squarePicture(design::kFileIconSize, c));
    }
    return icons;
}

std::vector<Image> placeholderToolPictures() {
    static const std::uint32_t colours[design::kToolPictureCount] = {0x2080F0, 0x20C060, 0xF0A020,
                                                                     0xE04040};
    std::vector<Image> pictures;
    for (std::uint32_t c : colours) {
        pictures.push_back(squarePicture(design::kToolPictureSize, c));
    }
    return pictures;
}

MainWindowControls::MainWindowControls()
    : window(design::kMainCaption, design::kMainOuter, kMainClientWidth, kMainClientHeight,
             [this] { reset(); }),
      工具条1(window.aliveFlag(), design::kToolbar, toolButtonDesigns(), placeholderToolPictures()),
      反退钮1(window.aliveFlag(), design::k反退钮1.place, design::k反退钮1.text),
      本地目录框(window.aliveFlag(), design::k本地目录框, 0),
      浏览钮(window.aliveFlag(), design::k浏览钮.place, design::k浏览钮.text),
      反退钮(window.aliveFlag(), design::k反退钮.place, design::k反退钮.text),
      FTP目录框(window.aliveFlag(), design::kFTP目录框, false, "", 0),
      标签4(window.aliveFlag(), design::k标签4.place, design::k标签4.text),
      标签5(window.aliveFlag(), design::k标签5.place, design::k标签5.text),
      上传文件框(window.aliveFlag(), design::k上传文件框, columnDesigns(design::kLocalColumns), {}),
      远程文件框(window.aliveFlag(), design::k远程文件框, columnDesigns(design::kRemoteColumns),
                 placeholderFileIcons()),
      上传钮(window.aliveFlag(), design::k上传钮.place, design::k上传钮.text),
      下载钮(window.aliveFlag(), design::k下载钮.place, design::k下载钮.text),
      消息框(window.aliveFlag(), design::k消息框, true, "", 0),
      状态条1(window.aliveFlag(), design::k状态条1,
              {design::kStatusPartWidths.begin(), design::kStatusPartWidths.end()}),
      进度条1(window.aliveFlag(), design::k进度条1, design::kProgressMinimum,
              design::kProgressMaximum),
      时钟1(window.aliveFlag()),
      时钟_进度(window.aliveFlag()),
      拖放对象1(window.aliveFlag()) {
    const AliveFlag& alive = window.aliveFlag();
    menus.push_back(std::make_unique<Menu>(alive, design::kMenuFtp,
                                           addItems(items, alive, design::kMenuFtpEntries)));
    menus.push_back(std::make_unique<Menu>(alive, design::kMenuLocal,
                                           addItems(items, alive, design::kMenuLocalEntries)));
    menus.push_back(std::make_unique<Menu>(alive, design::kMenuRemote,
                                           addItems(items, alive, design::kMenuRemoteEntries)));
    menus.push_back(std::make_unique<Menu>(alive, design::kMenuHelp,
                                           addItems(items, alive, design::kMenuHelpEntries)));
}

void MainWindowControls::reset() {
    工具条1.reset();
    反退钮1.reset();
    本地目录框.reset();
    浏览钮.reset();
    反退钮.reset();
    FTP目录框.reset();
    标签4.reset();
    标签5.reset();
    上传文件框.reset();
    远程文件框.reset();
    上传钮.reset();
    下载钮.reset();
    消息框.reset();
    状态条1.reset();
    进度条1.reset();
    时钟1.reset();
    时钟_进度.reset();
    拖放对象1.reset();
    for (auto& i : items) {
        i->reset();
    }
}

ServerManagerControls::ServerManagerControls()
    : window(design::kServerCaption, design::kServerOuter, design::kServerOuter.width - 8,
             design::kServerOuter.height - 27, [this] { reset(); }),
      标签4(window.aliveFlag(), design::k服务器_标签4.place, design::k服务器_标签4.text),
      组合框_服务器名称(window.aliveFlag(), design::k组合框_服务器名称.place,
                        design::k组合框_服务器名称.limit),
      按钮4(window.aliveFlag(), design::k按钮4.place, design::k按钮4.text),
      按钮5(window.aliveFlag(), design::k按钮5.place, design::k按钮5.text),
      标签1(window.aliveFlag(), design::k服务器_标签1.place, design::k服务器_标签1.text),
      编辑框_服务器地址(window.aliveFlag(), design::k编辑框_服务器地址.place, false,
                        design::k编辑框_服务器地址.text, design::k编辑框_服务器地址.limit),
      标签5(window.aliveFlag(), design::k服务器_标签5.place, design::k服务器_标签5.text),
      编辑框_端口(window.aliveFlag(), design::k编辑框_端口.place, false, design::k编辑框_端口.text,
                  design::k编辑框_端口.limit),
      标签2(window.aliveFlag(), design::k服务器_标签2.place, design::k服务器_标签2.text),
      编辑框_用户名(window.aliveFlag(), design::k编辑框_用户名.place, false,
                    design::k编辑框_用户名.text, design::k编辑框_用户名.limit),
      标签3(window.aliveFlag(), design::k服务器_标签3.place, design::k服务器_标签3.text),
      编辑框_密码(window.aliveFlag(), design::k编辑框_密码.place, false, design::k编辑框_密码.text,
                  design::k编辑框_密码.limit),
      按钮3(window.aliveFlag(), design::k按钮3.place, design::k按钮3.text),
      按钮2(window.aliveFlag(), design::k按钮2.place, design::k按钮2.text) {}

void ServerManagerControls::reset() {
    标签4.reset();
    组合框_服务器名称.reset();
    按钮4.reset();
    按钮5.reset();
    标签1.reset();
    编辑框_服务器地址.reset();
    标签5.reset();
    编辑框_端口.reset();
    标签2.reset();
    编辑框_用户名.reset();
    标签3.reset();
    编辑框_密码.reset();
    按钮3.reset();
    按钮2.reset();
}

WindowSystem::WindowSystem()
    : m_mainWindow{main.window,     dialogsScript,  main.工具条1,    main.反退钮1,
                   main.本地目录框, main.浏览钮,    main.反退钮,     main.FTP目录框,
                   main.标签4,      main.标签5,     main.上传文件框, main.远程文件框,
                   main.上传钮,     main.下载钮,    main.消息框,     main.状态条1,
                   main.进度条1,    main.时钟1,     main.时钟_进度,  main.拖放对象1,
                   *main.menus[0],  *main.menus[1], *main.menus[2],  *main.menus[3],
                   main.item(0),    main.item(1),   main.item(2),    main.item(3),
                   main.item(4),    main.item(5),   main.item(6),    main.item(7),
                   main.item(8),    main.item(9),   main.item(10),   main.item(11),
                   main.item(12),   main.item(13),  main.item(14),   main.item(15),
                   main.item(16),   main.item(17),  main.item(18),   main.item(19)},
      m_serverWindow{server.window, dialogsScript,      server.标签4, server.组合框_服务器名称,
                     server.按钮4,  server.按钮5,       server.标签1, server.编辑框_服务器地址,
                     server.标签5,  server.编辑框_端口, server.标签2, server.编辑框_用户名,
                     server.标签3,  server.编辑框_密码, server.按钮3, server.按钮2} {
    // The server-management window is owned by the main window and goes with it.
    main.window.setAfterClose([this] { server.window.close(); });
}

void WindowSystem::post(std::function<void()> task) {
    if (main.window.isOpen() && task) {
        task();
    }
}

}  // namespace lumaro::ui::headless
