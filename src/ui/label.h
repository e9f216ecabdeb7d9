#pragma once
// Label: a static text. Threads: any (see Control). The text is GB18030.
#include <string>

#include "ui/control.h"

namespace lumaro::ui {

class Label : public Control {
public:
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace lumaro::ui
