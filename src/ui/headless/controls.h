#pragma once
// The small headless controls: in memory, thread-safe, with user-action methods (user...) that
// tests call to play the user; those raise the control's events on the calling thread.
// While the window holding a control is closed, writes do nothing and reads return empty values.
#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/control_designs.h"
#include "ui/drop_target.h"
#include "ui/edit_box.h"
#include "ui/headless/control_base.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/progress_bar.h"
#include "ui/status_bar.h"
#include "ui/timer.h"
#include "ui/toolbar.h"

namespace lumaro::ui::headless {

class Button : public ControlImpl<ui::Button> {
public:
    Button(const AliveFlag& alive, Rect designed, std::string caption);
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void reset();
    // Clicks the button; does nothing when it is disabled or the window is closed.
    void userClick();

private:
    std::string m_designedCaption;
    std::string m_caption;
};

class Label : public ControlImpl<ui::Label> {
public:
    Label(const AliveFlag& alive, Rect designed, std::string text);
    std::string text() const override;
    void setText(const std::string& text) override;
    void reset();

private:
    std::string m_designedText;
    std::string m_text;
};

class EditBox : public ControlImpl<ui::EditBox> {
public:
    EditBox(const AliveFlag& alive, Rect designed, bool multiLine, std::string text, int limit);
    bool isMultiLine() const override { return m_multiLine; }
    std::string text() const override;
    void setText(const std::string& text) override;
    void appendAtEnd(const std::string& text) override;
    int inputLimit() const override;
    void setInputLimit(int bytes) override;
    void reset();
    // Types `text` at the end of the box as the user would: what does not fit the input limit is
    // refused, character by character. Returns the bytes actually typed.
    std::string userType(const std::string& text);
    void userPressEnter();

private:
    bool m_multiLine;
    std::string m_designedText;
    int m_designedLimit;
    std::string m_text;
    int m_limit;
};

class ComboBox : public ControlImpl<ui::ComboBox> {
public:
    ComboBox(const AliveFlag& alive, Rect designed, int limit);
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
    void reset();
    // Picks a list item as the user would: selection and text follow, then itemPicked is raised.
    void userPick(int index);
    std::string userType(const std::string& text);
    void userPressEnter();

private:
    int m_designedLimit;
    std::string m_text;
    std::vector<std::string> m_items;
    int m_selected = -1;
    int m_limit;
};

class StatusBar : public ControlImpl<ui::StatusBar> {
public:
    StatusBar(const AliveFlag& alive, Rect designed, std::vector<int> partWidths);
    int partCount() const override;
    int partWidth(int part) const override;
    std::string partText(int part) const override;
    void setPartText(int part, const std::string& text) override;
    void reset();

private:
    std::vector<int> m_widths;
    std::vector<std::string> m_texts;
};

class ProgressBar : public ControlImpl<ui::ProgressBar> {
public:
    ProgressBar(const AliveFlag& alive, Rect designed, int minimum, int maximum);
    int minimum() const override { return m_minimum; }
    int maximum() const override { return m_maximum; }
    int position() const override;
    void setPosition(int position) override;
    // The position as drawn: the stored one clamped to the range.
    int displayedPosition() const;
    void reset();

private:
    int m_minimum;
    int m_maximum;
    int m_position = 0;
};

class Timer : public ui::Timer {
public:
    explicit Timer(const AliveFlag& alive) : m_alive(alive) {}
    int period() const override;
    void setPeriod(int milliseconds) override;
    // How many times the timer was (re)started by a different non-zero period; lets tests see
    // that writing the same period did not restart it.
    int startCount() const;
    void reset();
    // One period elapsed: raises tick when the timer runs. Returns whether it ticked.
    bool elapse();

private:
    const AliveFlag& m_alive;
    mutable std::mutex m_mutex;
    int m_period = 0;
    int m_starts = 0;
};

class MenuItem : public ui::MenuItem {
public:
    MenuItem(const AliveFlag& alive, std::string text, std::string shortcut, bool checkable);
    std::string text() const override;
    std::string shortcut() const override;
    bool isCheckable() const override { return m_checkable; }
    bool isChecked() const override;
    void setChecked(bool checked) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    void reset();
    // Chooses the item (menu, pop-up or shortcut); nothing when disabled or the window is closed.
    void userChoose();

private:
    const AliveFlag& m_alive;
    std::string m_text;
    std::string m_shortcut;
    bool m_checkable;
    mutable std::mutex m_mutex;
    bool m_checked = false;
    bool m_enabled = true;
};

class Menu : public ui::Menu {
public:
    Menu(const AliveFlag& alive, std::string title, std::vector<MenuItem*> entries);
    std::string title() const override;
    std::vector<ui::MenuItem*> entries() const override;
    void popup(int x, int y) override;
    // Where the menu was last shown as a pop-up, and how many times.
    int popupCount() const;
    int lastPopupX() const;
    int lastPopupY() const;

private:
    const AliveFlag& m_alive;
    std::string m_title;
    std::vector<MenuItem*> m_entries;
    mutable std::mutex m_mutex;
    int m_popups = 0;
    int m_x = 0;
    int m_y = 0;
};

class Toolbar : public ControlImpl<ui::Toolbar> {
public:
    Toolbar(const AliveFlag& alive, Rect designed, std::vector<ToolButtonDesign> buttons,
            std::vector<Image> pictures);
    int buttonCount() const override;
    bool isSeparator(int number) const override;
    std::string hint(int number) const override;
    int pictureIndex(int number) const override;
    int pictureCount() const override;
    Image picture(int pictureIndex) const override;
    void reset();
    // Clicks button `number`; a separator raises nothing.
    void userClick(int number);

private:
    std::vector<ToolButtonDesign> m_buttons;
    std::vector<Image> m_pictures;
};

class DropTarget : public ui::DropTarget {
public:
    explicit DropTarget(const AliveFlag& alive) : m_alive(alive) {}
    void registerArea(ListView& area) override;
    bool isRegistered() const override;
    ListView* area() const;
    void reset();
    // Drops files on the registered area; nothing when no area is registered.
    void userDrop(const std::vector<std::string>& paths);

private:
    const AliveFlag& m_alive;
    mutable std::mutex m_mutex;
    ListView* m_area = nullptr;
};

}  // namespace lumaro::ui::headless
