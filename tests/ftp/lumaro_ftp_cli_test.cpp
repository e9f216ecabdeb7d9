// build/lumaro-ftp as a user runs it: one command per run, entries as "d|f TAB size TAB name"
// with names in UTF-8, exit status 0 on success and 1 with one line on standard error.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "platform/text/encoding.h"
#include "support/ftp_server_process.h"
#include "support/temp_dir.h"

namespace lumaro::ftp {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

// Runs lumaro-ftp with `args` (already quoted), stdin from `input` when given.
RunResult run(const test::TempDir& dir, const std::string& args, const std::string& input = "") {
    fs::path in = dir.path() / "cli-in", out = dir.path() / "cli-out", err = dir.path() / "cli-err";
    test::writeFile(in, input);
    std::string command = quote(std::string(LUMARO_BINARY_DIR) + "/lumaro-ftp") + " " + args +
                          " <" + quote(in) + " >" + quote(out) + " 2>" + quote(err);
    RunResult r;
    int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = test::readFile(out);
    r.err = test::readFile(err);
    return r;
}

TEST(LumaroFtpCli, ParseListPrintsParsedEntries) {
    test::TempDir dir;
    RunResult r = run(dir, "parse-list",
                      "total 8\r\n"
                      "drwxr-xr-x    2 0        0            4096 Mar 07 11:52 pub\r\n"
                      "-rw-r--r--    1 0        0      5368709120 Jan 01  2024 big file.iso\r\n"
                      "garbage\r\n"
                      "01-15-21  03:04PM       <DIR>          My Folder\r\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "d\t4096\tpub\nf\t5368709120\tbig file.iso\nd\t0\tMy Folder\n");
}

TEST(LumaroFtpCli, CommandsAgainstARealServer) {
    test::TempDir root, work;
    std::string error;
    auto server = test::FtpServerProcess::startPyftpdlib(root.str(), work.str(), {}, error);
    ASSERT_TRUE(server) << error;
    const std::string login =
        "-H 127.0.0.1 -P " + std::to_string(server->port()) + " -u lumaro -p secret ";
    const std::string chinese = text::toUtf8("中文.txt");  // the terminal's UTF-8
    test::writeFile(work.path() / "up.bin", "12345");

    struct Step {
        std::string args;
        int status;
        std::string out;
    };
    const Step steps[] = {
        {"mkdir /d", 0, ""},
        {"put " + quote((work.path() / "up.bin").string()) + " " + quote("/d/" + chinese), 0, ""},
        {"ls " + quote("/d/*.*"), 0, "f\t5\t" + chinese + "\n"},
        {"ls /", 0, "DIRECTORY d"},  // its size is the file system's, read below
        {"rename " + quote("/d/" + chinese) + " /d/b.bin", 0, ""},
        {"get /d/b.bin " + quote((work.path() / "back.bin").string()), 0, ""},
        {"--passive get /d/b.bin " + quote((work.path() / "back2.bin").string()), 0, ""},
        {"pwd", 0, "/\n"},
        {"rm /d/b.bin", 0, ""},
        {"rmdir /d", 0, ""},
        {"get /d/b.bin " + quote((work.path() / "never.bin").string()), 1, ""},
        {"rmdir /d", 1, ""},
        {"frobnicate /d", 1, ""},
        {"ls", 1, ""},
    };
    for (const Step& step : steps) {
        RunResult r = run(work, login + step.args);
        EXPECT_EQ(r.status, step.status) << step.args << ": " << r.err;
        if (step.status == 0) {
            std::string expected = step.out;
            if (expected == "DIRECTORY d") {
                struct stat info {};
                ::stat((root.path() / "d").c_str(), &info);
                expected = "d\t" + std::to_string(info.st_size) + "\td\n";
            }
            EXPECT_EQ(r.out, expected) << step.args;
            EXPECT_EQ(r.err, "") << step.args;
        } else {
            // One line saying why.
            EXPECT_FALSE(r.err.empty()) << step.args;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << step.args << ": " << r.err;
        }
    }
    EXPECT_EQ(test::readFile(work.path() / "back.bin"), "12345");
    EXPECT_EQ(test::readFile(work.path() / "back2.bin"), "12345");
    EXPECT_FALSE(fs::exists(work.path() / "never.bin"));

    RunResult refused =
        run(work, "-H 127.0.0.1 -P " + std::to_string(server->port()) + " -u lumaro -p wrong pwd");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("login refused"), std::string::npos) << refused.err;
}

}  // namespace
}  // namespace lumaro::ftp
