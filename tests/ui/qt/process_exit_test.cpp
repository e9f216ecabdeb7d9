// The process ends by itself when the main window is closed, while workers still run and touch
// the window, without hanging and without crashing.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

TEST(QtProcessFrame, EndsWhenTheWindowClosesWhileWorkersStillRun) {
    // `timeout` turns a hang into a failure instead of a stuck test run.
    const std::string command =
        std::string("timeout 60 \"") + LUMARO_BINARY_DIR + "/ui_exit_probe\" > /dev/null 2>&1";
    for (int run = 0; run < 3; ++run) {
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << "killed by a signal";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "run " << run << " (124: hung, 3: closed wrong)";
    }
}

}  // namespace
