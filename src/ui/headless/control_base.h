#pragma once
// Shared state of every headless control: geometry, enabled, visible, focus, and the window's
// "alive" flag. Thread-safe: one mutex per control.
#include <atomic>
#include <mutex>

#include "ui/control.h"

namespace lumaro::ui::headless {

// Whether the window that holds a control currently exists (between open() and close()).
using AliveFlag = std::atomic<bool>;

class ControlState {
public:
    ControlState(const AliveFlag& alive, Rect designed) : m_alive(alive), m_designed(designed) {}

    bool alive() const { return m_alive.load(); }
    Rect geometry() const;
    void setGeometry(const Rect& r);
    bool isEnabled() const;
    void setEnabled(bool e);
    bool isVisible() const;
    void setVisible(bool v);
    void setFocus();
    bool hasFocus() const;
    // Back to the designed place, enabled, visible, without focus.
    void reset();

protected:
    mutable std::mutex m_mutex;

private:
    const AliveFlag& m_alive;
    Rect m_designed;
    Rect m_geometry;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_focus = false;
};

// Implements the Control part of an interface on top of ControlState.
template <class Interface>
class ControlImpl : public Interface {
public:
    ControlImpl(const AliveFlag& alive, Rect designed) : m_state(alive, designed) {}

    Rect geometry() const override { return m_state.geometry(); }
    void setGeometry(const Rect& r) override { m_state.setGeometry(r); }
    bool isEnabled() const override { return m_state.isEnabled(); }
    void setEnabled(bool e) override { m_state.setEnabled(e); }
    bool isVisible() const override { return m_state.isVisible(); }
    void setVisible(bool v) override { m_state.setVisible(v); }
    void setFocus() override { m_state.setFocus(); }
    bool hasFocus() const { return m_state.hasFocus(); }

protected:
    bool alive() const { return m_state.alive(); }
    void resetControl() { m_state.reset(); }
    ControlState m_state;
    // Guards the data of the derived control.
    mutable std::mutex m_mutex;
};

}  // namespace lumaro::ui::headless
