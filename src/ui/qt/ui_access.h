#pragma once
// UiAccess: the gate of one Qt-bound control (or window) to the user-interface thread.
//
// attachTo() marks the control alive for as long as its Qt object exists. call() runs a function
// on the user-interface thread (see UiThread) while the object is alive, and returns a
// value-initialised result at once, without involving the user-interface thread, once it is
// gone; so workers that touch a destroyed window never wait for an event loop that may have
// ended. The object must outlive the Qt object it is attached to.
#include <QObject>
#include <atomic>
#include <type_traits>

#include "ui/qt/ui_thread.h"

namespace lumaro::ui::qt {

class UiAccess {
public:
    explicit UiAccess(UiThread& ui) : m_ui(ui) {}
    UiAccess(const UiAccess&) = delete;
    UiAccess& operator=(const UiAccess&) = delete;

    bool isAttached() const { return m_alive.load(); }

protected:
    // UI thread.
    void attachTo(QObject* object) {
        m_alive = true;
        QObject::connect(object, &QObject::destroyed, [this] { m_alive = false; });
    }

    template <class F>
    auto call(F&& f) const -> std::invoke_result_t<F&> {
        using R = std::invoke_result_t<F&>;
        if (!m_alive.load()) {
            return R();
        }
        return m_ui.call(std::forward<F>(f));
    }

    UiThread& m_ui;

private:
    std::atomic<bool> m_alive{false};
};

}  // namespace lumaro::ui::qt
