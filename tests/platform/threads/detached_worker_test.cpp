#include "platform/threads/detached_worker.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

namespace lumaro::platform {
namespace {

TEST(DetachedWorkerTest, RunsWorkOnAnotherThread) {
    std::promise<std::thread::id> ran;
    auto id = ran.get_future();
    ASSERT_TRUE(startDetachedWorker([&ran] { ran.set_value(std::this_thread::get_id()); }));
    ASSERT_EQ(id.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_NE(id.get(), std::this_thread::get_id());
}

TEST(DetachedWorkerTest, ThrowingWorkDoesNotEndTheProcess) {
    std::promise<void> after;
    auto done = after.get_future();
    ASSERT_TRUE(startDetachedWorker([] { throw std::runtime_error("boom"); }));
    ASSERT_TRUE(startDetachedWorker([&after] { after.set_value(); }));
    EXPECT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

}  // namespace
}  // namespace lumaro::platform
