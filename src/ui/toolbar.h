#pragma once
// Toolbar: buttons numbered from 0, each with a picture and a hint text, or a separator.
// Threads: any (see Control). Texts are GB18030.
#include <string>

#include "ui/control.h"
#include "ui/image.h"

namespace lumaro::ui {

class Toolbar : public Control {
public:
    virtual int buttonCount() const = 0;
    virtual bool isSeparator(int number) const = 0;
    virtual std::string hint(int number) const = 0;  // "" for a separator
    virtual int pictureIndex(int number) const = 0;  // -1 for a separator
    virtual int pictureCount() const = 0;
    virtual Image picture(int pictureIndex) const = 0;

    // The user clicked a button; gives its number.
    Event<int> clicked;
};

}  // namespace lumaro::ui
