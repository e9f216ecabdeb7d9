#include "ui/qt/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void Dialogs::messageBox(const std::string& caption, const std::string& text, MessageIcon icon) {
    m_ui.call([&] {
        QMessageBox box(qtIcon(icon), toQString(caption), toQString(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });
}

Answer Dialogs::confirm(const std::string& caption, const std::string& text) {
    const bool yes = m_ui.call([&] {
        QMessageBox box(QMessageBox::Question, toQString(caption), toQString(text),
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        return box.exec() != QMessageBox::No;
    });
    return yes ? Answer::Yes : Answer::No;
}

std::optional<std::string> Dialogs::inputBox(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) {
    return m_ui.call([&]() -> std::optional<std::string> {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(toQString(caption));
        dialog.setLabelText(toQString(prompt));
        dialog.setTextValue(toQString(initial));
        dialog.setOkButtonText(QStringLiteral("确认输入(&O)"));
        dialog.setCancelButtonText(QStringLiteral("取消(&C)"));
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return fromQString(dialog.textValue());
    });
}

std::optional<std::string> Dialogs::chooseFolder(const std::string& title) {
    return m_ui.call([&]() -> std::optional<std::string> {
        // Qt's own dialog has a field for typing a path, on every platform.
        const QString path = QFileDialog::getExistingDirectory(
            QApplication::activeWindow(), toQString(title), QString(),
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        if (path.isEmpty()) {
            return std::nullopt;
        }
        return fromQString(path);
    });
}

}  // namespace lumaro::ui::qt
