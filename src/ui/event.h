#pragma once
// Event: a list of handlers a control or window calls when something happens.
//
// Contract: subscribe() and fire() may be called from any thread. fire() calls the handlers in
// subscription order on the calling thread, outside any lock, so a handler may subscribe more
// handlers or fire other events. The Qt binding fires every event on the user-interface thread;
// the headless binding fires on the thread that simulates the user action.
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace lumaro::ui {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void subscribe(Handler handler) {
        std::lock_guard lock(m_mutex);
        m_handlers.push_back(std::make_shared<Handler>(std::move(handler)));
    }

    void fire(Args... args) const {
        std::vector<std::shared_ptr<Handler>> handlers;
        {
            std::lock_guard lock(m_mutex);
            handlers = m_handlers;
        }
        for (const auto& h : handlers) {
            (*h)(args...);
        }
    }

    bool hasHandlers() const {
        std::lock_guard lock(m_mutex);
        return !m_handlers.empty();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Handler>> m_handlers;
};

}  // namespace lumaro::ui
