// The server-management window as built by the Qt binding: caption, place, controls, texts,
// input limits in GB18030 bytes; opened modeless, owned by the main window, once.
#include <QKeyEvent>
#include <QTest>

#include "ui/qt/gb_limit_validator.h"
#include "ui/qt/qt_fixture.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {
namespace {

using QtServerManagerWindow = QtWindowTest;

// Types `text` character by character as key presses carrying the character, the way an input
// method delivers Chinese text (QTest::keyClicks takes ASCII only).
void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &release);
    }
}

TEST_F(QtServerManagerWindow, ControlsTextsPlacesAndLimits) {
    ui::ServerManagerWindow& sw = ws->serverManagerWindow();
    sw.window.open();
    pump();
    EXPECT_EQ(sw.window.caption(), "FTP服务器管理");
    EXPECT_EQ(sw.window.geometry(), (Rect{50, 50, 365, 241}));

    struct Case {
        const char* name;
        ui::Control& control;
        std::string text;
        Rect place;
        int limit;  // -1: not an edit box
    };
    const Case cases[] = {
        {"标签4", sw.标签4, "服务器名称：", {14, 11, 72, 19}, -1},
        {"组合框_服务器名称", sw.组合框_服务器名称, "", {87, 9, 136, 20}, 60},
        {"按钮4", sw.按钮4, "保存", {231, 9, 48, 24}, -1},
        {"按钮5", sw.按钮5, "删除", {290, 9, 48, 24}, -1},
        {"标签1", sw.标签1, "服务器地址：", {14, 38, 72, 24}, -1},
        {"编辑框_服务器地址", sw.编辑框_服务器地址, "", {87, 39, 136, 22}, 20},
        {"标签5", sw.标签5, "端口：", {229, 38, 40, 24}, -1},
        {"编辑框_端口", sw.编辑框_端口, "21", {267, 39, 53, 22}, 12},
        {"标签2", sw.标签2, "用户名：", {37, 68, 49, 24}, -1},
        {"编辑框_用户名", sw.编辑框_用户名, "", {87, 68, 136, 22}, 26},
        {"标签3", sw.标签3, "密码：", {46, 98, 40, 24}, -1},
        {"编辑框_密码", sw.编辑框_密码, "", {87, 98, 136, 22}, 20},
        {"按钮3", sw.按钮3, "连接", {95, 137, 70, 34}, -1},
        {"按钮2", sw.按钮2, "取消", {195, 137, 70, 34}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.control.geometry(), c.place);
        EXPECT_TRUE(c.control.isVisible());
        std::string text;
        if (auto* l = dynamic_cast<ui::Label*>(&c.control)) {
            text = l->text();
        } else if (auto* b = dynamic_cast<ui::Button*>(&c.control)) {
            text = b->caption();
        } else if (auto* e = dynamic_cast<ui::EditBox*>(&c.control)) {
            text = e->text();
            EXPECT_EQ(e->inputLimit(), c.limit);
            EXPECT_FALSE(e->isMultiLine());
        } else if (auto* cb = dynamic_cast<ui::ComboBox*>(&c.control)) {
            text = cb->text();
            EXPECT_EQ(cb->inputLimit(), c.limit);
        }
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(ws->server.编辑框_密码.widget()->echoMode(), QLineEdit::Normal);
    QWidget* top = ws->server.window.topLevel();
    EXPECT_TRUE(top->isWindow());
    EXPECT_EQ(top->parentWidget(), ws->main.window.topLevel()) << "owned by the main window";
    EXPECT_EQ(top->windowModality(), Qt::NonModal);
}

TEST_F(QtServerManagerWindow, TypingStopsAtTheLimitInGbBytes) {
    ws->serverManagerWindow().window.open();
    pump();
    QLineEdit* name = ws->server.组合框_服务器名称.widget()->lineEdit();
    QString forty;
    for (int i = 0; i < 40; ++i) {
        forty += QStringLiteral("名");
    }
    typeText(name, forty);
    EXPECT_EQ(ws->serverManagerWindow().组合框_服务器名称.text().size(), 60u) << "30 characters";
    typeText(name, QStringLiteral("a"));
    EXPECT_EQ(ws->serverManagerWindow().组合框_服务器名称.text().size(), 60u);

    QLineEdit* user = ws->server.编辑框_用户名.widget();
    typeText(user, QStringLiteral("abcdefghijklmnopqrstuvwxy名z"));
    EXPECT_EQ(ws->serverManagerWindow().编辑框_用户名.text(), "abcdefghijklmnopqrstuvwxyz");

    // A program write is not limited.
    ws->serverManagerWindow().编辑框_服务器地址.setText("a-long-host-name.example.org");
    EXPECT_EQ(ws->serverManagerWindow().编辑框_服务器地址.text(), "a-long-host-name.example.org");
}

TEST_F(QtServerManagerWindow, OpenedOnceAndRebuiltAfterClosing) {
    ui::ServerManagerWindow& sw = ws->serverManagerWindow();
    int created = 0;
    int destroyed = 0;
    sw.window.aboutToBeDestroyed.subscribe([&] { ++destroyed; });
    sw.window.open();
    QWidget* first = ws->server.window.topLevel();
    sw.编辑框_端口.setText("2121");
    sw.window.open();  // a second choice brings the open one to the front
    EXPECT_EQ(ws->server.window.topLevel(), first);
    EXPECT_EQ(sw.编辑框_端口.text(), "2121");
    sw.window.close();
    pump();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(sw.window.isOpen());
    EXPECT_EQ(sw.编辑框_端口.text(), "");
    sw.window.open();
    EXPECT_EQ(sw.编辑框_端口.text(), "21");
    EXPECT_EQ(created, 0);  // open() raises no created event by itself
    // The main window stays usable while it is open.
    EXPECT_TRUE(ws->main.上传钮.widget()->isEnabled());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Closing the main window takes the owned window with it, through its own handlers.
    mw().window.close();
    pump();
    EXPECT_EQ(destroyed, 2);
    EXPECT_FALSE(sw.window.isOpen());
}

}  // namespace
}  // namespace lumaro::ui::qt
