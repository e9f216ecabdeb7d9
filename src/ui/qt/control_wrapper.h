#pragma once
// ControlWrapper: the Control part of a Qt-bound control.
//
// A wrapper lives for the whole process; the widget it drives exists only while its window is
// open (QPointer: null once destroyed). Every access runs on the user-interface thread through
// UiThread and does nothing / returns an empty value when the widget is gone.
#include <QPointer>
#include <QWidget>

#include "ui/control.h"
#include "ui/qt/ui_thread.h"

namespace lumaro::ui::qt {

template <class Interface, class Widget>
class ControlWrapper : public Interface {
public:
    explicit ControlWrapper(UiThread& ui) : m_ui(ui) {}

    Rect geometry() const override {
        return m_ui.call([this] {
            if (!m_widget) {
                return Rect{};
            }
            const QRect g = m_widget->geometry();
            return Rect{g.x(), g.y(), g.width(), g.height()};
        });
    }
    void setGeometry(const Rect& r) override {
        m_ui.call([this, r] {
            if (m_widget) {
                m_widget->setGeometry(r.left, r.top, r.width, r.height);
            }
        });
    }
    bool isEnabled() const override {
        return m_ui.call([this] { return m_widget && m_widget->isEnabled(); });
    }
    void setEnabled(bool e) override {
        m_ui.call([this, e] {
            if (m_widget) {
                m_widget->setEnabled(e);
            }
        });
    }
    bool isVisible() const override {
        return m_ui.call([this] { return m_widget && !m_widget->isHidden(); });
    }
    void setVisible(bool v) override {
        m_ui.call([this, v] {
            if (m_widget) {
                m_widget->setVisible(v);
            }
        });
    }
    void setFocus() override {
        m_ui.call([this] {
            if (m_widget) {
                m_widget->setFocus(Qt::OtherFocusReason);
            }
        });
    }

    // The widget, for the window builder and the tests; UI thread only.
    Widget* widget() const { return m_widget; }

protected:
    UiThread& m_ui;
    QPointer<Widget> m_widget;
};

}  // namespace lumaro::ui::qt
