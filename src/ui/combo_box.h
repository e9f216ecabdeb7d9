#pragma once
// ComboBox: a drop-down combo box with an editable text and a list of items.
// Threads: any (see Control). Texts are GB18030.
#include <string>

#include "ui/control.h"

namespace lumaro::ui {

class ComboBox : public Control {
public:
    // The editable text.
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;

    virtual int itemCount() const = 0;
    virtual std::string itemText(int index) const = 0;  // "" when out of range
    // Appends an item; returns its index. The selection and the text do not change.
    virtual int addItem(const std::string& text) = 0;
    // Removes the item. When it was the selected one nothing stays selected (the text stays);
    // a selection after it moves up with its item.
    virtual void removeItem(int index) = 0;
    virtual void clearItems() = 0;

    // Selected item, -1 when none. Text the user types that differs from the selected item's
    // text leaves nothing selected.
    virtual int selectedIndex() const = 0;
    // Selects an item without raising any event; the text becomes the item's text. An index
    // out of range (-1 included) selects nothing and empties the text.
    virtual void setSelectedIndex(int index) = 0;

    // Limit of what the user may type into the text, in GB18030 bytes (a Chinese character takes
    // two); 0 means no limit. setText() is not limited.
    virtual int inputLimit() const = 0;
    virtual void setInputLimit(int bytes) = 0;

    // The user picked a list item (selection and text already follow it).
    Event<int> itemPicked;
    // The user pressed Enter in the text; the key is consumed.
    Event<> enterPressed;
};

}  // namespace lumaro::ui
