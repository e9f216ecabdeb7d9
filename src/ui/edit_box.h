#pragma once
// EditBox: a single-line or multi-line edit box.
// Threads: any (see Control). Texts are GB18030. A multi-line box holds its lines separated by
// CR LF, as written.
#include <string>

#include "ui/control.h"

namespace lumaro::ui {

class EditBox : public Control {
public:
    virtual bool isMultiLine() const = 0;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;

    // Appends at the end as ONE whole operation on the user-interface thread: take the length L
    // of the text, place the empty selection at L, scroll the caret into view, replace the
    // selection with `text`. Text the user typed stays; nothing is trimmed. Texts appended by two
    // threads never split each other; they follow in arrival order.
    virtual void appendAtEnd(const std::string& text) = 0;

    // Limit of what the user may type, in GB18030 bytes (a Chinese character takes two of it);
    // 0 means the platform's maximum. setText() and appendAtEnd() are not limited.
    virtual int inputLimit() const = 0;
    virtual void setInputLimit(int bytes) = 0;

    // The user pressed Enter in a single-line box; the key is consumed.
    Event<> enterPressed;
};

}  // namespace lumaro::ui
