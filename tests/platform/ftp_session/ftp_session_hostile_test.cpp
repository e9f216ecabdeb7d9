// The engine against our scripted hostile server: every fault ends in a clear, typed
// failure, never a hang or a crash; the recoverable ones (refused PORT, lying PASV,
// foreign data connection) still succeed the sound way.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <thread>

#include "platform/ftp_session/ftp_session.h"
#include "platform/text/encoding.h"
#include "support/scripted_ftp_server.h"
#include "support/temp_dir.h"

namespace lumaro::ftp_session {
namespace {

using test::HostileFault;
using test::ScriptedFtpServer;
using test::ScriptedServerConfig;
using namespace std::chrono_literals;

// Short waits keep the stalling cases quick; nothing here measures time.
FtpTimeouts shortTimeouts() {
    return FtpTimeouts{2000ms, 1000ms, 1000ms, 2000ms};
}

ScriptedServerConfig config(HostileFault fault, std::string stall = "PWD") {
    ScriptedServerConfig c;
    c.fault = fault;
    c.stallCommand = std::move(stall);
    c.files = {{"a.txt", "hello"}, {"b.bin", test::patternBytes(300000, 7)}};
    return c;
}

std::vector<std::string> names(const std::vector<RemoteEntry>& entries) {
    std::vector<std::string> out;
    for (const RemoteEntry& e : entries) {
        out.push_back(e.name);
    }
    return out;
}

TEST(HostileServer, BrokenLoginConversationsFailClearly) {
    struct Case {
        HostileFault fault;
        const char* stall;
        FtpErrorKind expected;
    };
    const Case cases[] = {
        {HostileFault::HugeReplyLine, "", FtpErrorKind::ReplyTooLong},
        {HostileFault::EndlessMultiline, "", FtpErrorKind::ReplyTooLong},
        {HostileFault::GarbageReply, "", FtpErrorKind::ReplyMalformed},
        {HostileFault::StallOnCommand, "USER", FtpErrorKind::Timeout},
        {HostileFault::StallOnCommand, "TYPE", FtpErrorKind::Timeout},
    };
    for (const Case& c : cases) {
        ScriptedFtpServer server(config(c.fault, c.stall));
        FtpSession session(shortTimeouts());
        EXPECT_FALSE(session.connect("127.0.0.1", server.port(), "u", "p"))
            << static_cast<int>(c.fault);
        EXPECT_EQ(session.lastError().kind, c.expected) << session.lastError().message;
        EXPECT_FALSE(session.isOpen());
    }
}

TEST(HostileServer, RepliesSplitIntoSingleBytesStillWork) {
    ScriptedFtpServer server(config(HostileFault::SplitReplies));
    FtpSession session(shortTimeouts());
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"))
        << session.lastError().message;
    EXPECT_EQ(session.printDirectory(), "/");
    std::vector<RemoteEntry> entries;
    ASSERT_TRUE(session.list("", entries)) << session.lastError().message;
    EXPECT_EQ(names(entries), (std::vector<std::string>{"a.txt", "b.bin"}));
    EXPECT_EQ(entries[1].size, 300000u);
}

TEST(HostileServer, StallDuringAnOperationTimesOut) {
    for (const char* verb : {"PWD", "LIST", "CWD"}) {
        ScriptedFtpServer server(config(HostileFault::StallOnCommand, verb));
        FtpSession session(shortTimeouts());
        ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
        bool ok = true;
        if (std::string(verb) == "PWD") {
            ok = session.printDirectory().has_value();
        } else if (std::string(verb) == "LIST") {
            std::vector<RemoteEntry> entries;
            ok = session.list("", entries);
        } else {
            ok = session.changeDirectory("/x");
        }
        EXPECT_FALSE(ok) << verb;
        EXPECT_EQ(session.lastError().kind, FtpErrorKind::Timeout) << verb;
        // The conversation is out of step now: the session closed itself.
        EXPECT_FALSE(session.isOpen());
        EXPECT_FALSE(session.printDirectory().has_value());
        EXPECT_EQ(session.lastError().kind, FtpErrorKind::NotConnected);
    }
}

TEST(HostileServer, ShortTransfersFail) {
    struct Case {
        HostileFault fault;
        FtpErrorKind expected;
    };
    const Case cases[] = {
        {HostileFault::DropMidTransfer, FtpErrorKind::ConnectionClosed},
        {HostileFault::ShortTransferAcked, FtpErrorKind::TransferIncomplete},
    };
    for (const Case& c : cases) {
        ScriptedFtpServer server(config(c.fault));
        test::TempDir dir;
        FtpSession session(shortTimeouts());
        ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
        FILE* file = std::fopen((dir.path() / "out").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        EXPECT_FALSE(session.retrieve("b.bin", fileno(file)));
        std::fclose(file);
        EXPECT_EQ(session.lastError().kind, c.expected) << session.lastError().message;
        EXPECT_EQ(session.bytesTransferred(), 150000u);
    }
}

TEST(HostileServer, DataConnectionFallbacks) {
    struct Case {
        HostileFault fault;
        bool passiveOnly;
        std::vector<std::string> verbsAfterLogin;  // for two listings in a row
    };
    const Case cases[] = {
        // Active works: PORT each time.
        {HostileFault::None, false, {"PORT", "LIST", "PORT", "LIST"}},
        // PORT refused: EPSV, and active is not tried again.
        {HostileFault::RefusePort, false, {"PORT", "EPSV", "LIST", "EPSV", "LIST"}},
        // The server connects from another address: refused, wait ends, passive follows.
        {HostileFault::ForeignActiveConnection,
         false,
         {"PORT", "LIST", "EPSV", "LIST", "EPSV", "LIST"}},
        // EPSV refused, PASV names a foreign address: we connect to the server we know.
        {HostileFault::PasvForeignAddress, true, {"EPSV", "PASV", "LIST", "PASV", "LIST"}},
    };
    for (const Case& c : cases) {
        ScriptedFtpServer server(config(c.fault));
        FtpSession session(shortTimeouts());
        session.setPassiveOnly(c.passiveOnly);
        ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
        for (int i = 0; i < 2; ++i) {
            std::vector<RemoteEntry> entries;
            ASSERT_TRUE(session.list("", entries))
                << static_cast<int>(c.fault) << ": " << session.lastError().message;
            EXPECT_EQ(names(entries), (std::vector<std::string>{"a.txt", "b.bin"}));
        }
        std::vector<std::string> verbs = server.verbs();
        std::vector<std::string> afterLogin(std::find(verbs.begin(), verbs.end(), "TYPE") + 1,
                                            verbs.end());
        EXPECT_EQ(afterLogin, c.verbsAfterLogin) << static_cast<int>(c.fault);
    }
}

TEST(HostileServer, PreliminaryAndFinalReplyInOnePacket) {
    for (bool passive : {false, true}) {
        ScriptedFtpServer server(config(HostileFault::PreliminaryAndFinalTogether));
        FtpSession session(shortTimeouts());
        session.setPassiveOnly(passive);
        ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
        for (int i = 0; i < 2; ++i) {  // the conversation stays in step
            std::vector<RemoteEntry> entries;
            ASSERT_TRUE(session.list("", entries)) << session.lastError().message;
            EXPECT_EQ(names(entries), (std::vector<std::string>{"a.txt", "b.bin"}));
        }
        EXPECT_EQ(session.printDirectory(), "/");
    }
}

// Timeouts measure silence: a transfer that takes longer in all (8 x 400 ms) than the data
// timeout (2 s) and the reply timeout (1 s), but is never silent that long, succeeds; the
// control connection, idle meanwhile, does not time out either.
TEST(HostileServer, SlowButSteadyTransferNeverTimesOut) {
    ScriptedServerConfig c = config(HostileFault::SlowTransfer);
    c.pauseMs = 400;
    ScriptedFtpServer server(c);
    FtpSession session(shortTimeouts());
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
    test::TempDir dir;
    FILE* file = std::fopen((dir.path() / "out").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(session.retrieve("b.bin", fileno(file))) << session.lastError().message;
    std::fclose(file);
    EXPECT_EQ(test::readFile(dir.path() / "out"), test::patternBytes(300000, 7));
}

TEST(HostileServer, ListLinesWithControlCharactersAreSkipped) {
    ScriptedFtpServer server(config(HostileFault::ControlCharsInList));
    FtpSession session(shortTimeouts());
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
    std::vector<RemoteEntry> entries;
    ASSERT_TRUE(session.list("", entries));
    EXPECT_EQ(names(entries), (std::vector<std::string>{"a.txt", "b.bin"}));
}

// A UTF-8 server may hold names written as GBK bytes by older clients: they are taken as
// GBK, never garbled. Plain literals are GB18030 texts in this build.
TEST(HostileServer, NamesThatAreNotUtf8AreTakenAsGbk) {
    ScriptedServerConfig c = config(HostileFault::None);
    c.utf8 = true;
    c.files = {{text::toUtf8("甲.txt"), "a"}, {"乙.txt", "b"}};  // UTF-8, and raw GBK bytes
    ScriptedFtpServer server(c);
    FtpSession session(shortTimeouts());
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
    EXPECT_TRUE(session.utf8Names());
    std::vector<RemoteEntry> entries;
    ASSERT_TRUE(session.list("", entries));
    std::vector<std::string> listed = names(entries);
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected = {"甲.txt", "乙.txt"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);

    // The GBK name goes back in its own bytes, alone or inside a path, so the file it names
    // can be fetched; every other name travels as UTF-8.
    test::TempDir dir;
    for (const std::string& path : {std::string("乙.txt"), std::string("/乙.txt")}) {
        FILE* file = std::fopen((dir.path() / "out").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(session.retrieve(path, fileno(file))) << session.lastError().message;
        std::fclose(file);
        EXPECT_EQ(test::readFile(dir.path() / "out"), "b");
        EXPECT_EQ(server.commands().back(), "RETR " + path);
    }
    EXPECT_TRUE(session.changeDirectory("/目录/乙.txt"));
    EXPECT_EQ(server.commands().back(), "CWD " + text::toUtf8("/目录/") + "乙.txt");
    EXPECT_TRUE(session.changeDirectory("/目录"));
    EXPECT_EQ(server.commands().back(), "CWD " + text::toUtf8("/目录"));
}

TEST(HostileServer, LineBreaksInNamesFailThatOperationAlone) {
    ScriptedFtpServer server(config(HostileFault::None));
    FtpSession session(shortTimeouts());
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
    const std::string bad[] = {"a\r\nDELE b", "a\nb", std::string("a\0b", 3), "x\r"};
    for (const std::string& name : bad) {
        EXPECT_FALSE(session.deleteFile(name));
        EXPECT_EQ(session.lastError().kind, FtpErrorKind::InvalidArgument);
        EXPECT_FALSE(session.changeDirectory(name));
        EXPECT_FALSE(session.rename("a.txt", name));
        EXPECT_FALSE(session.rename(name, "a.txt"));
        std::vector<RemoteEntry> entries;
        EXPECT_FALSE(session.list(name, entries));
    }
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(session.printDirectory(), "/");
    std::vector<std::string> verbs = server.verbs();
    for (const char* never : {"DELE", "RNFR", "RNTO", "LIST", "CWD"}) {
        EXPECT_EQ(std::count(verbs.begin(), verbs.end(), never), 0) << never;
    }
}

TEST(HostileServer, AbortFromAnotherThreadEndsAStall) {
    ScriptedFtpServer server(config(HostileFault::StallOnCommand, "LIST"));
    // Long waits: only abort() can end this listing in good time.
    FtpSession session(FtpTimeouts{2000ms, 600000ms, 600000ms, 600000ms});
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
    std::thread aborter([&] {
        while (server.verbs().empty() || server.verbs().back() != "LIST") {
            std::this_thread::sleep_for(10ms);
        }
        session.abort();
    });
    std::vector<RemoteEntry> entries;
    EXPECT_FALSE(session.list("", entries));
    aborter.join();
    EXPECT_EQ(session.lastError().kind, FtpErrorKind::Aborted);
    EXPECT_FALSE(session.connect("127.0.0.1", server.port(), "u", "p"));
    EXPECT_EQ(session.lastError().kind, FtpErrorKind::Aborted);
}

// A source that sendfile cannot read (a pipe here) is copied through a buffer instead, and
// every byte still arrives; a plain file goes the fast way. Both end on the server's 226.
TEST(StoreSources, PipesAndFilesArriveWhole) {
    ScriptedFtpServer server(config(HostileFault::None));
    FtpSession session(shortTimeouts());
    ASSERT_TRUE(session.connect("127.0.0.1", server.port(), "u", "p"));
    const std::string content = test::patternBytes(3 * 1024 * 1024 + 17, 11);

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    std::signal(SIGPIPE, SIG_IGN);  // a writer cut off gets EPIPE instead of ending the test
    std::thread writer([&] {
        std::size_t done = 0;
        while (done < content.size()) {
            const ssize_t n = ::write(pipeFds[1], content.data() + done, content.size() - done);
            if (n <= 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        ::close(pipeFds[1]);
    });
    EXPECT_TRUE(session.store(pipeFds[0], "from-pipe.bin")) << session.lastError().message;
    // Closing the reading end first ends a writer that a failed store left waiting.
    ::close(pipeFds[0]);
    writer.join();
    EXPECT_EQ(server.stored("from-pipe.bin"), content);
    EXPECT_EQ(session.bytesTransferred(), content.size());

    test::TempDir dir;
    test::writeFile(dir.path() / "in.bin", content);
    FILE* file = std::fopen((dir.path() / "in.bin").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(session.store(fileno(file), "from-file.bin")) << session.lastError().message;
    std::fclose(file);
    EXPECT_EQ(server.stored("from-file.bin"), content);
}

}  // namespace
}  // namespace lumaro::ftp_session
