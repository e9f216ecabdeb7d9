#include "ui/headless/control_base.h"

namespace lumaro::ui::headless {

Rect ControlState::geometry() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_geometry : Rect{};
}

void ControlState::setGeometry(const Rect& r) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_geometry = r;
    }
}

bool ControlState::isEnabled() const {
    std::lock_guard lock(m_mutex);
    return alive() && m_enabled;
}

void ControlState::setEnabled(bool e) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_enabled = e;
    }
}

bool ControlState::isVisible() const {
    std::lock_guard lock(m_mutex);
    return alive() && m_visible;
}

void ControlState::setVisible(bool v) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_visible = v;
    }
}

void ControlState::setFocus() {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_focus = true;
    }
}

bool ControlState::hasFocus() const {
    std::lock_guard lock(m_mutex);
    return alive() && m_focus;
}

void ControlState::reset() {
    std::lock_guard lock(m_mutex);
    m_geometry = m_designed;
    m_enabled = true;
    m_visible = true;
    m_focus = false;
}

}  // namespace lumaro::ui::headless
