#pragma once
// ProgressBar: a horizontal progress bar.
// Threads: any (see Control).
#include "ui/control.h"

namespace lumaro::ui {

class ProgressBar : public Control {
public:
    // The displayed range (0 to 100 for the main window's bar).
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    // A written position is stored clamped to 0..32767 and displayed clamped to the range;
    // reading it back gives the stored, clamped value.
    virtual int position() const = 0;
    virtual void setPosition(int position) = 0;

    static constexpr int kMaxStoredPosition = 32767;
};

}  // namespace lumaro::ui
