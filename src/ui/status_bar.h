#pragma once
// StatusBar: a status bar along the bottom edge of the window, split into parts.
// Threads: any (see Control). Texts are GB18030.
#include <string>

#include "ui/control.h"

namespace lumaro::ui {

class StatusBar : public Control {
public:
    virtual int partCount() const = 0;
    virtual int partWidth(int part) const = 0;  // 0 when out of range
    // A part index outside 0..partCount()-1 makes the write do nothing and the read return "".
    virtual std::string partText(int part) const = 0;
    virtual void setPartText(int part, const std::string& text) = 0;
};

}  // namespace lumaro::ui
