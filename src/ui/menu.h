#pragma once
// Menu items and menus of the menu bar; a menu also serves as a pop-up menu.
// Threads: any. Texts are GB18030 ("连接(&L)": "&" marks the access key).
#include <string>
#include <vector>

#include "ui/event.h"

namespace lumaro::ui {

class MenuItem {
public:
    virtual ~MenuItem() = default;
    virtual std::string text() const = 0;
    // The shortcut key as text ("F5", "F6", "Ctrl+G"), "" when none.
    virtual std::string shortcut() const = 0;
    virtual bool isCheckable() const = 0;
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool checked) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    // The user chose the item (from the menu bar, a pop-up menu or its shortcut key).
    Event<> triggered;
};

class Menu {
public:
    virtual ~Menu() = default;
    virtual std::string title() const = 0;
    // The entries in order; nullptr stands for a separator.
    virtual std::vector<MenuItem*> entries() const = 0;
    // Shows the menu as a pop-up menu with its top-left corner at x,y (screen pixels) and returns
    // at once; a chosen item raises its `triggered` event as in the menu bar.
    virtual void popup(int x, int y) = 0;
};

}  // namespace lumaro::ui
