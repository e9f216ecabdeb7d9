#pragma once
// Control: what every visible control of a window offers.
//
// Threads: every method may be called from any thread; the Qt binding performs it on the
// user-interface thread and returns when it is done, so each single read or write is whole.
// After the window holding the control is destroyed, writes do nothing and reads return empty
// values (0, false, empty text, an empty rectangle).
#include "ui/event.h"

namespace lumaro::ui {

// Left, top, width and height in pixels, within the client area of the window.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// A colour as red, green and blue 0..255.
struct Color {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Color&) const = default;
};

class Control {
public:
    virtual ~Control() = default;

    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& r) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // Gives the control the keyboard focus.
    virtual void setFocus() = 0;

    // Conveniences for the layout step: each reads the geometry, changes one value and writes it
    // back (two separate accesses; meant for the user-interface thread).
    int left() const { return geometry().left; }
    int top() const { return geometry().top; }
    int width() const { return geometry().width; }
    int height() const { return geometry().height; }
    void setLeft(int v) { changeGeometry(&Rect::left, v); }
    void setTop(int v) { changeGeometry(&Rect::top, v); }
    void setWidth(int v) { changeGeometry(&Rect::width, v); }
    void setHeight(int v) { changeGeometry(&Rect::height, v); }

private:
    void changeGeometry(int Rect::*field, int v) {
        Rect r = geometry();
        r.*field = v;
        setGeometry(r);
    }
};

}  // namespace lumaro::ui
