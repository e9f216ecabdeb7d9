#pragma once
// Starting a worker thread that nobody joins: handlers start long operations this way and
// return at once. The process may end while a worker still runs.

#include <functional>

namespace lumaro::platform {

// Runs `work` on a new detached thread. Returns false when no thread could be started (the
// work then does not run). An exception escaping `work` ends that worker only, not the process.
bool startDetachedWorker(std::function<void()> work);

}  // namespace lumaro::platform
