#pragma once
// SpinMutex: a lock for critical sections of a few hundred nanoseconds (one row of a list view),
// taken by a filling worker and by the user-interface thread painting at the same time. A
// contended std::mutex puts the waiter to sleep in the kernel, which costs far more than the
// section itself; this one spins briefly, then yields the processor. BasicLockable.
#include <atomic>
#include <thread>

namespace lumaro::ui::qt {

class SpinMutex {
public:
    void lock() {
        for (int spins = 0; m_flag.test_and_set(std::memory_order_acquire); ++spins) {
            if (spins >= 64) {
                std::this_thread::yield();
            }
        }
    }
    void unlock() { m_flag.clear(std::memory_order_release); }

private:
    std::atomic_flag m_flag = ATOMIC_FLAG_INIT;
};

}  // namespace lumaro::ui::qt
