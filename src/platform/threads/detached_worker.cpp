#include "platform/threads/detached_worker.h"

#include <system_error>
#include <thread>

namespace lumaro::platform {

bool startDetachedWorker(std::function<void()> work) {
    try {
        std::thread([work = std::move(work)] {
            try {
                work();
            } catch (...) {
                // A failing worker must not take the window and the other workers with it.
            }
        }).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace lumaro::platform
