#include "ui/qt/ui_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <condition_variable>
#include <memory>

namespace lumaro::ui::qt {

namespace {

// Signalled when a posted task has run or was dropped without running.
struct Completion {
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;

    void signal() {
        std::lock_guard lock(mutex);
        done = true;
        cv.notify_all();
    }
    void wait() {
        std::unique_lock lock(mutex);
        cv.wait(lock, [this] { return done; });
    }
};

const QEvent::Type kTaskEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// A task travelling to the UI thread. Its destructor signals the waiter, so a task dropped
// with its receiver (at shutdown) never leaves a worker waiting.
class TaskEvent : public QEvent {
public:
    TaskEvent(std::function<void()> task, std::shared_ptr<Completion> completion)
        : QEvent(kTaskEvent), m_task(std::move(task)), m_completion(std::move(completion)) {}
    ~TaskEvent() override {
        if (m_completion) {
            m_completion->signal();
        }
    }
    void run() {
        if (m_task) {
            m_task();
        }
    }

private:
    std::function<void()> m_task;
    std::shared_ptr<Completion> m_completion;
};

class TaskReceiver : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == kTaskEvent) {
            static_cast<TaskEvent*>(e)->run();
            return true;
        }
        return QObject::event(e);
    }
};

}  // namespace

UiThread::UiThread() : m_thread(QThread::currentThread()), m_context(new TaskReceiver) {}

UiThread::~UiThread() {
    if (isUiThread()) {
        shutdown();
    }
}

bool UiThread::isAlive() const {
    std::lock_guard lock(m_mutex);
    return m_context != nullptr;
}

void UiThread::post(std::function<void()> task) {
    std::lock_guard lock(m_mutex);
    if (m_context != nullptr) {
        QCoreApplication::postEvent(m_context, new TaskEvent(std::move(task), nullptr));
    }
}

void UiThread::runAndWait(std::function<void()> task) {
    auto completion = std::make_shared<Completion>();
    {
        std::lock_guard lock(m_mutex);
        if (m_context == nullptr) {
            return;
        }
        QCoreApplication::postEvent(m_context, new TaskEvent(std::move(task), completion));
    }
    completion->wait();
}

void UiThread::shutdown() {
    QObject* context = nullptr;
    {
        std::lock_guard lock(m_mutex);
        context = m_context;
        m_context = nullptr;
    }
    // Deleting the receiver drops its pending tasks, which releases their waiters.
    delete context;
}

}  // namespace lumaro::ui::qt
