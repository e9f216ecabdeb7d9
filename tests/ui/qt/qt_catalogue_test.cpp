// The main window as built by the Qt binding: every control of the catalogue with its kind,
// text, place, size, colours and columns; the menu tree; the toolbar; the icon set.
#include <QAction>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QWidget>
#include <set>

#include "ui/qt/artwork.h"
#include "ui/qt/qt_fixture.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {
namespace {

using QtCatalogue = QtWindowTest;

struct Placed {
    const char* name;
    QWidget* widget;
    const char* qtClass;
    std::string text;  // "" where the control has none
    Rect place;
};

QString textOf(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        return b->text();
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        return l->text();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text();
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        return c->currentText();
    }
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        return p->toPlainText();
    }
    return {};
}

TEST_F(QtCatalogue, ControlsHaveTheirKindsTextsAndPlaces) {
    auto& m = ws->main;
    const Placed controls[] = {
        {"工具条1", m.工具条1.widget(), "QToolBar", "", {0, 0, 722, 28}},
        {"反退钮1", m.反退钮1.widget(), "QPushButton", "后退", {3, 40, 38, 22}},
        {"本地目录框", m.本地目录框.widget(), "QComboBox", "", {44, 39, 243, 22}},
        {"浏览钮", m.浏览钮.widget(), "QPushButton", "浏览", {291, 39, 40, 22}},
        {"反退钮", m.反退钮.widget(), "QPushButton", "后退", {370, 40, 38, 22}},
        {"FTP目录框", m.FTP目录框.widget(), "QLineEdit", "", {408, 39, 240, 22}},
        {"标签4", m.标签4.widget(), "QLabel", "本地文件列表：", {4, 65, 88, 16}},
        {"标签5", m.标签5.widget(), "QLabel", "服务器文件列表：", {373, 65, 96, 16}},
        {"上传文件框", m.上传文件框.widget(), "QTreeView", "", {0, 81, 286, 335}},
        {"远程文件框", m.远程文件框.widget(), "QTreeView", "", {368, 81, 286, 335}},
        {"上传钮", m.上传钮.widget(), "QPushButton", "上传", {294, 123, 66, 30}},
        {"下载钮", m.下载钮.widget(), "QPushButton", "下载", {295, 181, 66, 30}},
        {"消息框", m.消息框.widget(), "QPlainTextEdit", "", {0, 427, 656, 72}},
        {"进度条1", m.进度条1.widget(), "QProgressBar", "", {0, 510, 654, 6}},
    };
    QWidget* client = m.window.clientArea();
    ASSERT_NE(client, nullptr);
    for (const Placed& c : controls) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.widget, nullptr);
        EXPECT_STREQ(c.widget->metaObject()->className(), c.qtClass);
        EXPECT_EQ(c.widget->parentWidget(), client);
        EXPECT_TRUE(c.widget->isVisible());
        const QRect g = c.widget->geometry();
        EXPECT_EQ((Rect{g.x(), g.y(), g.width(), g.height()}), c.place);
        EXPECT_EQ(fromQString(textOf(c.widget)), c.text);
    }
    // The same through the window layer's interfaces.
    EXPECT_EQ(mw().上传钮.caption(), "上传");
    EXPECT_EQ(mw().标签5.text(), "服务器文件列表：");
    EXPECT_EQ(mw().远程文件框.geometry(), (Rect{368, 81, 286, 335}));
    EXPECT_TRUE(mw().消息框.isMultiLine());
    EXPECT_FALSE(mw().FTP目录框.isMultiLine());
    EXPECT_TRUE(m.本地目录框.widget()->isEditable());
}

TEST_F(QtCatalogue, WindowCaptionPlaceAndSize) {
    EXPECT_EQ(mw().window.caption(), "Lumaro");
    EXPECT_EQ(mw().window.geometry(), (Rect{50, 50, 728, 592}));
    EXPECT_TRUE(mw().window.isOpen());
    EXPECT_GT(mw().window.clientHeight(), 500);
    // The client area is the outer size less the frame, and the menu bar above it.
    QWidget* top = ws->main.window.topLevel();
    const int frameWidth = top->frameGeometry().width() - top->geometry().width();
    EXPECT_EQ(mw().window.clientWidth(), 728 - frameWidth);
}

TEST_F(QtCatalogue, ListViewsColumnsColoursAndBehaviour) {
    struct ListCase {
        const char* name;
        ListView& list;
        const char* col0;
        const char* col1;
        QColor text;
        QColor base;
        bool selectionShownWithoutFocus;
    };
    const ListCase lists[] = {
        {"上传文件框", ws->main.上传文件框, "文件名", "大小KB", QColor(0, 0, 0),
         QColor(255, 255, 255), true},
        {"远程文件框", ws->main.远程文件框, "远程文件名", "大小(KB)", QColor(0, 128, 0),
         QColor(236, 236, 236), false},
    };
    for (const ListCase& c : lists) {
        SCOPED_TRACE(c.name);
        QTreeView* view = c.list.widget();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(c.list.columnCount(), 2);
        EXPECT_EQ(c.list.columnTitle(0), c.col0);
        EXPECT_EQ(c.list.columnTitle(1), c.col1);
        EXPECT_EQ(fromQString(view->model()->headerData(1, Qt::Horizontal).toString()), c.col1);
        EXPECT_EQ(c.list.columnWidth(0), 200);
        EXPECT_EQ(c.list.columnWidth(1), 80);
        EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::Text), c.text);
        EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::Base), c.base);
        const bool shown = view->palette().color(QPalette::Inactive, QPalette::Highlight) !=
                           view->palette().color(QPalette::Inactive, QPalette::Base);
        EXPECT_EQ(shown, c.selectionShownWithoutFocus);
        EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_FALSE(view->isSortingEnabled());
        EXPECT_FALSE(view->rootIsDecorated());
        EXPECT_FALSE(view->header()->isHidden());
    }
    EXPECT_TRUE(ws->main.上传文件框.viewportWidget()->acceptDrops());
    EXPECT_TRUE(mw().拖放对象1.isRegistered());
}

TEST_F(QtCatalogue, LogStatusBarProgressBarAndTimers) {
    auto& m = ws->main;
    EXPECT_EQ(m.消息框.widget()->palette().color(QPalette::Base), QColor(128, 255, 128));
    EXPECT_EQ(m.消息框.widget()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(m.消息框.widget()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    ASSERT_EQ(mw().状态条1.partCount(), 3);
    EXPECT_EQ(mw().状态条1.partWidth(0), 150);
    EXPECT_EQ(mw().状态条1.partWidth(1), 300);
    EXPECT_EQ(mw().状态条1.partWidth(2), 200);
    const QRect bar = m.状态条1.widget()->geometry();
    EXPECT_EQ(bar.bottom() + 1, mw().window.clientHeight()) << "along the bottom edge";
    EXPECT_EQ(bar.width(), mw().window.clientWidth());

    EXPECT_EQ(mw().进度条1.minimum(), 0);
    EXPECT_EQ(mw().进度条1.maximum(), 100);
    EXPECT_EQ(mw().进度条1.position(), 0);
    EXPECT_EQ(mw().时钟1.period(), 0);
    EXPECT_EQ(mw().时钟_进度.period(), 0);
    EXPECT_FALSE(m.时钟1.timer()->isActive());
}

struct MenuLine {
    const char* text;  // nullptr: separator
    const char* shortcut;
};

TEST_F(QtCatalogue, MenuTreeInOrderWithSeparatorsAndShortcuts) {
    const std::vector<std::pair<const char*, std::vector<MenuLine>>> expected = {
        {"FTP管理(&F)",
         {{"连接(&L)", "F5"},
          {"断开(&D)", "F6"},
          {nullptr, ""},
          {"启动窗口自动连接(&Q)", ""},
          {"FTP服务器管理(&F)", "Ctrl+G"}}},
        {"本地文件(&B)",
         {{"上传(&C)", ""},
          {"打开(&D)", ""},
          {"用记事本打开(&Y)", ""},
          {nullptr, ""},
          {"删除(&S)", ""},
          {"全部删除(&Q)", ""},
          {"选择目录(&X)", ""},
          {"刷新(&X)", ""}}},
        {"远程文件(&Y)",
         {{"下载(&X)", ""},
          {"全部下载(&Q)", ""},
          {"另存为(&L)", ""},
          {nullptr, ""},
          {"创建目录(&C)", ""},
          {"删除文件或目录(&S)", ""},
          {"重命名(&M)", ""},
          {"刷新(&A)", ""}}},
        {"帮助(&H)", {{"使用帮助(&B)", ""}, {"关于(&G)", ""}}},
    };
    const QList<QAction*> bar = ws->mainFrame()->menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    const auto menus = mw().menuBar();
    for (std::size_t m = 0; m < expected.size(); ++m) {
        SCOPED_TRACE(expected[m].first);
        EXPECT_EQ(fromQString(bar[static_cast<int>(m)]->text()), expected[m].first);
        EXPECT_EQ(menus[m]->title(), expected[m].first);
        const QList<QAction*> actions = bar[static_cast<int>(m)]->menu()->actions();
        const auto entries = menus[m]->entries();
        ASSERT_EQ(actions.size(), static_cast<int>(expected[m].second.size()));
        ASSERT_EQ(entries.size(), expected[m].second.size());
        for (std::size_t i = 0; i < expected[m].second.size(); ++i) {
            const MenuLine& line = expected[m].second[i];
            QAction* a = actions[static_cast<int>(i)];
            if (line.text == nullptr) {
                EXPECT_TRUE(a->isSeparator()) << i;
                EXPECT_EQ(entries[i], nullptr);
                continue;
            }
            EXPECT_EQ(fromQString(a->text()), line.text);
            EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(line.shortcut)));
            EXPECT_TRUE(a->isEnabled());
            EXPECT_TRUE(a->isVisible());
            EXPECT_FALSE(a->isChecked());
            ASSERT_NE(entries[i], nullptr);
            EXPECT_EQ(entries[i]->text(), line.text);
            EXPECT_EQ(entries[i]->shortcut(), line.shortcut);
        }
    }
    EXPECT_TRUE(mw().菜单项_启动窗口自动连接.isCheckable());
    EXPECT_FALSE(mw().菜单项_连接.isCheckable());
    EXPECT_EQ(menus[2]->entries()[7], &mw().菜单项_刷新远程);
}

TEST_F(QtCatalogue, MenuItemsAndShortcutsRaiseTheirEvents) {
    int connects = 0;
    int managers = 0;
    mw().菜单项_连接.triggered.subscribe([&] { ++connects; });
    mw().菜单项_FTP服务器管理.triggered.subscribe([&] { ++managers; });
    ws->main.item(0).action()->trigger();
    ws->main.item(3).action()->trigger();
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(managers, 1);
    mw().菜单项_启动窗口自动连接.setChecked(true);
    EXPECT_TRUE(ws->main.item(2).action()->isChecked());
}

TEST_F(QtCatalogue, ToolbarButtonsHintsPicturesAndNumbers) {
    QToolBar* bar = ws->main.工具条1.widget();
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_TRUE(actions[2]->isSeparator());
    const char* hints[] = {"连接", "断开", "", "上传", "下载"};
    const int pictures[] = {2, 3, -1, 0, 1};
    std::vector<int> clicks;
    mw().工具条1.clicked.subscribe([&](int n) { clicks.push_back(n); });
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(mw().工具条1.hint(n), hints[n]);
        EXPECT_EQ(mw().工具条1.pictureIndex(n), pictures[n]);
        EXPECT_EQ(mw().工具条1.isSeparator(n), n == 2);
        if (n != 2) {
            EXPECT_TRUE(actions[n]->text().isEmpty()) << "no caption";
            EXPECT_FALSE(actions[n]->icon().isNull());
            actions[n]->trigger();
        }
    }
    EXPECT_EQ(clicks, (std::vector<int>{0, 1, 3, 4}));
    EXPECT_EQ(bar->iconSize(), QSize(24, 24));
    ASSERT_EQ(mw().工具条1.pictureCount(), 4);
}

// Pictures of our own: the right size, partly transparent, partly opaque, all different.
void expectArtwork(const std::vector<Image>& images, int size) {
    std::set<std::vector<std::uint32_t>> distinct;
    for (const Image& img : images) {
        ASSERT_EQ(img.width, size);
        ASSERT_EQ(img.height, size);
        ASSERT_TRUE(img.isValid());
        int transparent = 0;
        int opaque = 0;
        for (std::uint32_t p : img.pixels) {
            transparent += (p >> 24) == 0 ? 1 : 0;
            opaque += (p >> 24) == 0xFF ? 1 : 0;
        }
        EXPECT_GT(transparent, 0);
        EXPECT_GT(opaque, size * size / 8);
        distinct.insert(img.pixels);
    }
    EXPECT_EQ(distinct.size(), images.size());
}

TEST_F(QtCatalogue, ArtworkOfTheToolbarAndTheFileTypeIcons) {
    std::vector<Image> tools;
    for (int i = 0; i < mw().工具条1.pictureCount(); ++i) {
        tools.push_back(mw().工具条1.picture(i));
    }
    expectArtwork(tools, 24);

    ASSERT_EQ(mw().远程文件框.imageCount(), 12);
    std::vector<Image> icons;
    for (int i = 0; i < 12; ++i) {
        icons.push_back(mw().远程文件框.image(i));
    }
    expectArtwork(icons, 32);
    // The folder (index 0) is yellow: its most common opaque colour has more red than blue.
    const QImage folder = toQImage(icons[0]);
    const QColor centre = folder.pixelColor(16, 20);
    EXPECT_GT(centre.red(), centre.blue() + 80);

    // The local list was given its own copy before any row.
    ASSERT_EQ(mw().上传文件框.imageCount(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(mw().上传文件框.image(i), icons[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(mw().上传文件框.appendImage(icons[4]), 12);
    EXPECT_EQ(mw().远程文件框.imageCount(), 12);
}

}  // namespace
}  // namespace lumaro::ui::qt
