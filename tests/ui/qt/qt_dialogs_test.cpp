// The real modal boxes, asked for by a worker thread: shown on the user-interface thread with
// their captions, texts, icons and buttons; the worker gets the user's answer.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

#include "ui/qt/qt_fixture.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {
namespace {

using QtDialogs = QtWindowTest;

// Plays the user: every few milliseconds, hands the open modal box (if any) to `act`.
class UserAtTheBox {
public:
    explicit UserAtTheBox(std::function<void(QWidget*)> act) {
        QObject::connect(&m_timer, &QTimer::timeout, [act] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                act(box);
            }
        });
        m_timer.start(5);
    }

private:
    QTimer m_timer;
};

std::vector<std::string> buttonTexts(QWidget* box) {
    std::vector<std::string> texts;
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
        if (!b->text().isEmpty()) {
            texts.push_back(fromQString(b->text()));
        }
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(QtDialogs, MessageBoxFromAWorker) {
    std::string caption;
    std::string text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::vector<std::string> buttons;
    UserAtTheBox user([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        caption = fromQString(box->windowTitle());
        text = fromQString(box->text());
        icon = box->icon();
        buttons = buttonTexts(box);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        box->accept();
    });
    onWorker([this] { mw().dialogs.messageBox("信息：", "已保存", MessageIcon::Information); });
    EXPECT_EQ(caption, "信息：");
    EXPECT_EQ(text, "已保存");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttons.size(), 1u);
}

TEST_F(QtDialogs, ConfirmationAnswersYesOrNo) {
    for (const bool sayYes : {false, true}) {
        UserAtTheBox user([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            box->button(sayYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        Answer answer = sayYes ? Answer::No : Answer::Yes;
        onWorker([&] { answer = mw().dialogs.confirm("询问：", "确定删除吗？"); });
        EXPECT_EQ(answer, sayYes ? Answer::Yes : Answer::No);
    }
}

TEST_F(QtDialogs, InputBoxReturnsTheTypedTextOrNothing) {
    std::vector<std::string> buttons;
    std::string prompt;
    UserAtTheBox typing([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        buttons = buttonTexts(dialog);
        prompt = fromQString(dialog->labelText());
        EXPECT_EQ(fromQString(dialog->textValue()), "旧名");
        dialog->setTextValue(QStringLiteral("新目录"));
        dialog->accept();
    });
    std::optional<std::string> typed;
    onWorker([&] { typed = mw().dialogs.inputBox("请输入：", "目录名：", "旧名"); });
    EXPECT_EQ(typed, std::optional<std::string>("新目录"));
    EXPECT_EQ(prompt, "目录名：");
    EXPECT_EQ(buttons, (std::vector<std::string>{"取消(&C)", "确认输入(&O)"}));
}

TEST_F(QtDialogs, CancelledInputBoxGivesNothing) {
    UserAtTheBox cancelling([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    std::optional<std::string> typed = std::string("unset");
    onWorker([&] { typed = mw().dialogs.inputBox("请输入：", "目录名：", ""); });
    EXPECT_EQ(typed, std::nullopt);
}

}  // namespace
}  // namespace lumaro::ui::qt
