#include "ui/qt/window.h"

#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {

void Window::open() {
    m_ui.call([this] {
        if (m_open && m_top) {
            if (m_top->isMinimized()) {
                m_top->showNormal();
            }
            m_top->raise();
            m_top->activateWindow();
            return;
        }
        m_top = m_build();
        attachTo(m_top);
        m_open = true;
        m_top->show();
        placeOuter(m_top, m_designedOuter);
    });
}

void Window::close() {
    call([this] {
        if (m_top) {
            m_top->close();
        }
    });
}

void Window::notifyClosing() {
    if (!m_open) {
        return;
    }
    aboutToBeDestroyed.fire();
    m_open = false;
}

bool Window::isOpen() const {
    return call([this] { return m_open && !m_top.isNull(); });
}

std::string Window::caption() const {
    return call([this] { return m_top ? fromQString(m_top->windowTitle()) : std::string(); });
}

void Window::setCaption(const std::string& caption) {
    call([this, &caption] {
        if (m_top) {
            m_top->setWindowTitle(toQString(caption));
        }
    });
}

Rect Window::geometry() const {
    return call([this] {
        if (!m_top) {
            return Rect{};
        }
        const QRect f = m_top->frameGeometry();
        return Rect{f.x(), f.y(), f.width(), f.height()};
    });
}

void Window::placeOuter(QWidget* top, const Rect& r) {
    // The frame's extra size is known only once the window manager has framed the window; before
    // that (and without a window manager) the outer size is the widget's size.
    const QRect frame = top->frameGeometry();
    const QRect inner = top->geometry();
    const int extraW = frame.width() - inner.width();
    const int extraH = frame.height() - inner.height();
    top->move(r.left, r.top);
    top->resize(std::max(r.width - extraW, 1), std::max(r.height - extraH, 1));
}

void Window::setGeometry(const Rect& r) {
    call([this, r] {
        if (m_top) {
            placeOuter(m_top, r);
        }
    });
}

int Window::clientWidth() const {
    return call([this] { return m_client ? m_client->width() : 0; });
}

int Window::clientHeight() const {
    return call([this] { return m_client ? m_client->height() : 0; });
}

}  // namespace lumaro::ui::qt
