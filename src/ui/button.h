#pragma once
// Button: a push button. Threads: any (see Control). The caption is GB18030.
#include <string>

#include "ui/control.h"

namespace lumaro::ui {

class Button : public Control {
public:
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;

    // The user clicked the (enabled) button.
    Event<> clicked;
};

}  // namespace lumaro::ui
