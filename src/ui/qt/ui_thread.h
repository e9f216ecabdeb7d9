#pragma once
// UiThread: runs control accesses on the user-interface thread.
//
// call() runs a function on the user-interface thread and returns its result: directly when
// the caller is that thread, otherwise by posting it and waiting (a blocking queued call). post()
// runs a function there later without waiting. After shutdown() nothing runs any more: call()
// returns a value-initialised result at once and post() drops its task; callers that were waiting
// when shutdown() came are released with that empty result. Every method may be called from any
// thread except shutdown(), which belongs to the user-interface thread.
#include <QObject>
#include <QThread>
#include <functional>
#include <mutex>
#include <type_traits>

namespace lumaro::ui::qt {

class UiThread {
public:
    UiThread();
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    bool isUiThread() const { return QThread::currentThread() == m_thread; }
    bool isAlive() const;

    // Runs `f` on the user-interface thread; see the class comment.
    template <class F>
    auto call(F&& f) -> std::invoke_result_t<F&> {
        using R = std::invoke_result_t<F&>;
        if (isUiThread()) {
            if (!isAlive()) {
                return R();
            }
            return f();
        }
        if constexpr (std::is_void_v<R>) {
            runAndWait([&f] { f(); });
        } else {
            R result{};
            runAndWait([&f, &result] { result = f(); });
            return result;
        }
    }

    void post(std::function<void()> task);
    void shutdown();

private:
    // Posts `task` and waits until it ran or was dropped.
    void runAndWait(std::function<void()> task);

    QThread* m_thread;
    mutable std::mutex m_mutex;
    QObject* m_context;  // lives on the UI thread; nullptr after shutdown
};

}  // namespace lumaro::ui::qt
