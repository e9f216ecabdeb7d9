#pragma once
// Window: a top-level window.
//
// Threads: any (performed on the user-interface thread). Lifecycle: open() builds the controls
// with their designed texts, places and sizes and shows the window; it raises no event, so the
// opener can finish its own set-up and then fire `created`. Opening a window that is open
// restores it if minimised and brings it to the front. close() (or the user's close box) raises
// `aboutToBeDestroyed` on the user-interface thread while the controls still work, then destroys
// them; from then on control accesses do nothing and return empty values until the next open().
#include <string>

#include "ui/control.h"
#include "ui/event.h"

namespace lumaro::ui {

class Window {
public:
    virtual ~Window() = default;

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual std::string caption() const = 0;  // GB18030
    virtual void setCaption(const std::string& caption) = 0;
    // Outer place and size on the screen, borders included.
    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& r) = 0;
    // Width and height of the client area (the controls' coordinate space; menu bar excluded).
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;

    Event<> created;
    Event<> aboutToBeDestroyed;
    // The client area changed size: new client width and height.
    Event<int, int> sizeChanged;
};

}  // namespace lumaro::ui
