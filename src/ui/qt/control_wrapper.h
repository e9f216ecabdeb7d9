#pragma once
// ControlWrapper: the Control part of a Qt-bound control.
//
// A wrapper lives for the whole process; the widget it drives exists only while its window is
// open (QPointer: null once destroyed). Every access runs on the user-interface thread through
// UiThread and does nothing / returns an empty value when the widget is gone.
#include <QPointer>
#include <QWidget>

#include "ui/control.h"
#include "ui/qt/ui_access.h"

namespace lumaro::ui::qt {

template <class Interface, class Widget>
class ControlWrapper : public Interface, public UiAccess {
public:
    explicit ControlWrapper(UiThread& ui) : UiAccess(ui) {}

    Rect geometry() const override {
        return call([this] {
            if (!m_widget) {
                return Rect{};
            }
            const QRect g = m_widget->geometry();
            return Rect{g.x(), g.y(), g.width(), g.height()};
        });
    }
    void setGeometry(const Rect& r) override {
        call([this, r] {
            if (m_widget) {
                m_widget->setGeometry(r.left, r.top, r.width, r.height);
            }
        });
    }
    bool isEnabled() const override {
        return call([this] { return m_widget && m_widget->isEnabled(); });
    }
    void setEnabled(bool e) override {
        call([this, e] {
            if (m_widget) {
                m_widget->setEnabled(e);
            }
        });
    }
    bool isVisible() const override {
        return call([this] { return m_widget && !m_widget->isHidden(); });
    }
    void setVisible(bool v) override {
        call([this, v] {
            if (m_widget) {
                m_widget->setVisible(v);
            }
        });
    }
    void setFocus() override {
        call([this] {
            if (m_widget) {
                m_widget->setFocus(Qt::OtherFocusReason);
            }
        });
    }

    // The widget, for the window builder and the tests; UI thread only.
    Widget* widget() const { return m_widget; }

protected:
    // Takes the newly built widget; UI thread.
    Widget* setWidget(Widget* w) {
        m_widget = w;
        attachTo(w);
        return w;
    }

    QPointer<Widget> m_widget;
};

}  // namespace lumaro::ui::qt
