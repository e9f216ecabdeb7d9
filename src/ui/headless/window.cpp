#include "ui/headless/window.h"

namespace lumaro::ui::headless {

Window::Window(std::string designedCaption, Rect designedOuter, int clientWidth, int clientHeight,
               std::function<void()> resetControls)
    : m_designedCaption(std::move(designedCaption)),
      m_designedOuter(designedOuter),
      m_designedClientWidth(clientWidth),
      m_designedClientHeight(clientHeight),
      m_resetControls(std::move(resetControls)) {}

void Window::open() {
    {
        std::lock_guard lock(m_mutex);
        if (m_alive.load()) {
            ++m_raises;
            return;
        }
        m_caption = m_designedCaption;
        m_outer = m_designedOuter;
        m_clientWidth = m_designedClientWidth;
        m_clientHeight = m_designedClientHeight;
        m_raises = 0;
    }
    m_resetControls();
    m_alive.store(true);
}

void Window::close() {
    if (!m_alive.load()) {
        return;
    }
    aboutToBeDestroyed.fire();
    if (m_afterClose) {
        m_afterClose();
    }
    m_alive.store(false);
}

bool Window::isOpen() const {
    return m_alive.load();
}

std::string Window::caption() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() ? m_caption : std::string();
}

void Window::setCaption(const std::string& caption) {
    std::lock_guard lock(m_mutex);
    if (m_alive.load()) {
        m_caption = caption;
    }
}

Rect Window::geometry() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() ? m_outer : Rect{};
}

void Window::setGeometry(const Rect& r) {
    std::lock_guard lock(m_mutex);
    if (!m_alive.load()) {
        return;
    }
    // The borders keep their size: the client area follows the outer size.
    m_clientWidth += r.width - m_outer.width;
    m_clientHeight += r.height - m_outer.height;
    m_outer = r;
}

int Window::clientWidth() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() ? m_clientWidth : 0;
}

int Window::clientHeight() const {
    std::lock_guard lock(m_mutex);
    return m_alive.load() ? m_clientHeight : 0;
}

int Window::raiseCount() const {
    std::lock_guard lock(m_mutex);
    return m_raises;
}

void Window::userResizeClient(int width, int height) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_alive.load()) {
            return;
        }
        m_outer.width += width - m_clientWidth;
        m_outer.height += height - m_clientHeight;
        m_clientWidth = width;
        m_clientHeight = height;
    }
    sizeChanged.fire(width, height);
}

}  // namespace lumaro::ui::headless
