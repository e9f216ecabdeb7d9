#pragma once
// Timer: raises `tick` every `period` milliseconds while its period is not 0.
//
// Threads: any. Writing a period equal to the current one has no effect (a running timer keeps
// its phase); a different period restarts the timer with it; 0 stops it. `tick` is raised on the
// user-interface thread (Qt); the headless timer ticks only when the test says so.
#include "ui/event.h"

namespace lumaro::ui {

class Timer {
public:
    virtual ~Timer() = default;
    virtual int period() const = 0;
    virtual void setPeriod(int milliseconds) = 0;
    bool isRunning() const { return period() > 0; }

    Event<> tick;
};

}  // namespace lumaro::ui
