#pragma once
// The Qt-bound small controls. Each wrapper lives for the process; create() builds its widget
// with the designed values when the window opens (UI thread), and every access goes through
// UiThread (see ControlWrapper). Events are raised on the user-interface thread.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/control_designs.h"
#include "ui/drop_target.h"
#include "ui/edit_box.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/progress_bar.h"
#include "ui/qt/control_wrapper.h"
#include "ui/status_bar.h"
#include "ui/timer.h"
#include "ui/toolbar.h"

namespace lumaro::ui::qt {

class Button : public ControlWrapper<ui::Button, QPushButton> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, const char* caption, Rect place);
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
};

class Label : public ControlWrapper<ui::Label, QLabel> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, const char* text, Rect place);
    std::string text() const override;
    void setText(const std::string& text) override;
};

// A single-line edit box (QLineEdit) whose input limit counts GB18030 bytes.
class LineEdit : public ControlWrapper<ui::EditBox, QLineEdit> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, const char* text, Rect place, int limit);
    bool isMultiLine() const override { return false; }
    std::string text() const override;
    void setText(const std::string& text) override;
    void appendAtEnd(const std::string& text) override;
    int inputLimit() const override;
    void setInputLimit(int bytes) override;
};

// The multi-line message log (QPlainTextEdit, wrapping, vertical scroll bar). Lines are held
// with CR LF on the system's side and shown as line breaks.
class LogEdit : public ControlWrapper<ui::EditBox, QPlainTextEdit> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, Rect place, Color background);
    bool isMultiLine() const override { return true; }
    std::string text() const override;
    void setText(const std::string& text) override;
    void appendAtEnd(const std::string& text) override;
    int inputLimit() const override;
    void setInputLimit(int bytes) override;

private:
    int m_limit = 0;  // UI thread
};

class ComboBox : public ControlWrapper<ui::ComboBox, QComboBox> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, Rect place, int limit);
    std::string text() const override;
    void setText(const std::string& text) override;
    int itemCount() const override;
    std::string itemText(int index) const override;
    int addItem(const std::string& text) override;
    void removeItem(int index) override;
    void clearItems() override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    int inputLimit() const override;
    void setInputLimit(int bytes) override;
};

class StatusBar : public ControlWrapper<ui::StatusBar, QStatusBar> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, const std::vector<int>& partWidths);
    int partCount() const override;
    int partWidth(int part) const override;
    std::string partText(int part) const override;
    void setPartText(int part, const std::string& text) override;

private:
    std::vector<QPointer<QLabel>> m_parts;  // UI thread
};

class ProgressBar : public ControlWrapper<ui::ProgressBar, QProgressBar> {
public:
    using ControlWrapper::ControlWrapper;
    void create(QWidget* parent, Rect place, int minimum, int maximum);
    int minimum() const override;
    int maximum() const override;
    int position() const override;
    void setPosition(int position) override;

private:
    int m_position = 0;  // stored, clamped to 0..32767; UI thread
};

class Timer : public ui::Timer, public UiAccess {
public:
    explicit Timer(UiThread& ui) : UiAccess(ui) {}
    // The timer belongs to `owner` (the window) and dies with it.
    void create(QObject* owner);
    int period() const override;
    void setPeriod(int milliseconds) override;
    QTimer* timer() const { return m_timer; }

private:
    QPointer<QTimer> m_timer;
    int m_period = 0;  // UI thread
};

class MenuItem : public ui::MenuItem, public UiAccess {
public:
    explicit MenuItem(UiThread& ui) : UiAccess(ui) {}
    void create(QMenu* menu, const char* text, const char* shortcut, bool checkable);
    std::string text() const override;
    std::string shortcut() const override;
    bool isCheckable() const override;
    bool isChecked() const override;
    void setChecked(bool checked) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    QAction* action() const { return m_action; }

private:
    QPointer<QAction> m_action;
};

class Menu : public ui::Menu, public UiAccess {
public:
    explicit Menu(UiThread& ui) : UiAccess(ui) {}
    // `items` are the wrappers of the non-separator entries, in order.
    void setItems(std::vector<MenuItem*> items) { m_items = std::move(items); }
    void create(QWidget* parent, const char* title);
    // Adds the entries: nullptr text is a separator, others take the next item wrapper.
    template <class Entries>
    void addEntries(const Entries& entries);
    std::string title() const override;
    std::vector<ui::MenuItem*> entries() const override;
    void popup(int x, int y) override;
    QMenu* menu() const { return m_menu; }

private:
    QPointer<QMenu> m_menu;
    std::vector<MenuItem*> m_items;
    std::vector<int> m_layout;  // per entry: item index, or -1 for a separator
};

template <class Entries>
void Menu::addEntries(const Entries& entries) {
    m_layout.clear();
    std::size_t next = 0;
    for (const auto& e : entries) {
        if (e.text == nullptr) {
            m_menu->addSeparator();
            m_layout.push_back(-1);
        } else {
            m_items[next]->create(m_menu, e.text, e.shortcut, e.checkable);
            m_layout.push_back(static_cast<int>(next));
            ++next;
        }
    }
}

class Toolbar : public ControlWrapper<ui::Toolbar, QToolBar> {
public:
    Toolbar(UiThread& ui, std::vector<ToolButtonDesign> buttons, std::vector<Image> pictures);
    void create(QWidget* parent, Rect place);
    int buttonCount() const override;
    bool isSeparator(int number) const override;
    std::string hint(int number) const override;
    int pictureIndex(int number) const override;
    int pictureCount() const override;
    Image picture(int pictureIndex) const override;
    // The action of button `number` (nullptr for the separator); UI thread.
    QAction* action(int number) const;

private:
    std::vector<ToolButtonDesign> m_buttons;
    std::vector<Image> m_pictures;
    std::vector<QPointer<QAction>> m_actions;  // UI thread
};

class ListView;

class DropTarget : public ui::DropTarget, public UiAccess {
public:
    explicit DropTarget(UiThread& ui) : UiAccess(ui) {}
    void registerArea(ui::ListView& area) override;
    bool isRegistered() const override;

private:
    QPointer<QWidget> m_area;  // UI thread
};

}  // namespace lumaro::ui::qt
