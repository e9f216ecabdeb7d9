// FtpClient against real servers started on a free loopback port with a temporary root:
// pyftpdlib (MLSD, UTF-8 names) and vsftpd (LIST, names as raw bytes), each in active mode,
// in the passive fallback after the server refuses PORT, and passive from the start.

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "ftp/download_temp_path.h"
#include "ftp/ftp_client.h"
#include "platform/text/encoding.h"
#include "support/ftp_server_process.h"
#include "support/temp_dir.h"

namespace lumaro::ftp {
namespace {

namespace fs = std::filesystem;
using test::FtpServerProcess;
using test::TempDir;
using namespace std::chrono_literals;

enum class Server { Pyftpdlib, Vsftpd };
enum class Mode { Active, FallbackToPassive, PassiveOnly };

struct Param {
    Server server;
    Mode mode;
};

std::string paramName(const testing::TestParamInfo<Param>& info) {
    std::string name = info.param.server == Server::Pyftpdlib ? "Pyftpdlib" : "Vsftpd";
    switch (info.param.mode) {
        case Mode::Active:
            return name + "Active";
        case Mode::FallbackToPassive:
            return name + "FallbackToPassive";
        case Mode::PassiveOnly:
            return name + "PassiveOnly";
    }
    return name;
}

// Compares without printing megabytes of binary on a mismatch.
testing::AssertionResult sameBytes(const fs::path& path, const std::string& expected) {
    bool ok = false;
    std::string actual = test::readFile(path, &ok);
    if (!ok) {
        return testing::AssertionFailure() << path << " cannot be read";
    }
    if (actual != expected) {
        return testing::AssertionFailure()
               << path << " holds " << actual.size() << " bytes that differ from the "
               << expected.size() << " expected";
    }
    return testing::AssertionSuccess();
}

class RealServer : public testing::TestWithParam<Param> {
protected:
    void SetUp() override {
        test::ServerOptions options;
        options.refuseActive = GetParam().mode == Mode::FallbackToPassive;
        std::string error;
        m_server =
            GetParam().server == Server::Pyftpdlib
                ? FtpServerProcess::startPyftpdlib(m_root.str(), m_work.str(), options, error)
                : FtpServerProcess::startVsftpd(m_root.str(), m_work.str(), options, error);
        ASSERT_TRUE(m_server) << error;
        m_client.setPassive(GetParam().mode == Mode::PassiveOnly);
        ASSERT_TRUE(connect(m_client)) << m_client.lastError().message;
    }

    bool connect(FtpClient& client) {
        return client.connect("127.0.0.1", m_server->user(), m_server->password(),
                              m_server->port());
    }

    // A local file of `size` pattern bytes, as a system (GB18030) path.
    std::string localFile(const std::string& name, std::size_t size, unsigned seed) {
        fs::path path = m_work.path() / name;
        EXPECT_TRUE(test::writeFile(path, test::patternBytes(size, seed)));
        return path.string();
    }

    std::string message() { return m_client.lastError().message; }

    bool utf8Server() const { return GetParam().server == Server::Pyftpdlib; }

    // The server's writable area: on disk, and a remote path inside it.
    fs::path area() const { return m_server->writableArea(); }
    std::string r(const std::string& path) const { return m_server->remoteArea() + path; }
    std::string areaRoot() const {
        return m_server->remoteArea().empty() ? "/" : m_server->remoteArea();
    }

    TempDir m_root{"lumaro-ftp-root"};
    TempDir m_work{"lumaro-ftp-work"};
    std::unique_ptr<FtpServerProcess> m_server;
    FtpClient m_client{ftp_session::FtpTimeouts{5000ms, 10000ms, 3000ms, 10000ms}};
};

TEST_P(RealServer, EveryOperationOfTheTable) {
    // Directories.
    ASSERT_TRUE(m_client.setCurrentDirectory(areaRoot())) << message();
    EXPECT_EQ(m_client.getCurrentDirectory(), areaRoot());
    ASSERT_TRUE(m_client.createDirectory(r("/d1"))) << message();
    EXPECT_FALSE(m_client.createDirectory(r("/d1")));
    EXPECT_TRUE(m_client.setCurrentDirectory(r("/d1"))) << message();
    EXPECT_EQ(m_client.getCurrentDirectory(), r("/d1"));
    EXPECT_FALSE(m_client.setCurrentDirectory(r("/no such dir")));
    EXPECT_EQ(m_client.getCurrentDirectory(), r("/d1"));

    // Uploads of 0 bytes, 1 byte and a few MB, relative to the current directory.
    const std::size_t sizes[] = {0, 1, 3 * 1024 * 1024 + 17};
    const char* names[] = {"zero.bin", "one.bin", "big file.bin"};
    for (int i = 0; i < 3; ++i) {
        std::string local = localFile(names[i], sizes[i], i + 1);
        ASSERT_TRUE(m_client.uploadFile(local, names[i])) << names[i] << ": " << message();
        EXPECT_TRUE(sameBytes(area() / "d1" / names[i], test::patternBytes(sizes[i], i + 1)));
    }
    EXPECT_FALSE(m_client.uploadFile((m_work.path() / "missing").string(), "x.bin"));

    // Listing: names and 64-bit sizes, patterns matched on our side.
    std::vector<std::string> listed;
    std::vector<std::uint64_t> listedSizes;
    ASSERT_EQ(m_client.listDirectory(r("/d1/*.*"), listed, &listedSizes), 3) << message();
    std::map<std::string, std::uint64_t> bySize;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        bySize[listed[i]] = listedSizes[i];
    }
    EXPECT_EQ(bySize, (std::map<std::string, std::uint64_t>{
                          {"big file.bin", sizes[2]}, {"one.bin", 1}, {"zero.bin", 0}}));
    EXPECT_EQ(m_client.listDirectory("o*.bin", listed), 1);  // relative: the current directory
    EXPECT_EQ(listed, std::vector<std::string>{"one.bin"});
    EXPECT_EQ(m_client.listDirectory(r("/d1/*.txt"), listed, &listedSizes), 0);
    EXPECT_TRUE(listed.empty() && listedSizes.empty());
    EXPECT_EQ(m_client.listDirectory(r("/no such dir/*.*"), listed), 0);

    // Downloads: whole files, replacing an existing local file; a failed one touches nothing.
    for (int i = 0; i < 3; ++i) {
        fs::path target = m_work.path() / (std::string("down-") + names[i]);
        test::writeFile(target, "old content");
        ASSERT_TRUE(m_client.downloadFile(r("/d1/") + names[i], target.string())) << message();
        EXPECT_TRUE(sameBytes(target, test::patternBytes(sizes[i], i + 1)));
        EXPECT_FALSE(fs::exists(downloadTempPath(target.string())));
    }
    fs::path kept = m_work.path() / "kept.txt";
    test::writeFile(kept, "keep me");
    EXPECT_FALSE(m_client.downloadFile(r("/d1/absent.bin"), kept.string()));
    EXPECT_EQ(test::readFile(kept), "keep me");
    EXPECT_FALSE(fs::exists(downloadTempPath(kept.string())));
    EXPECT_FALSE(
        m_client.downloadFile(r("/d1/one.bin"), (m_work.path() / "no dir" / "x").string()));

    // Rename, delete, remove directory.
    EXPECT_TRUE(m_client.renameFile(r("/d1/one.bin"), r("/d1/uno.bin"))) << message();
    EXPECT_TRUE(fs::exists(area() / "d1" / "uno.bin"));
    EXPECT_FALSE(m_client.renameFile(r("/d1/one.bin"), r("/d1/again.bin")));
    EXPECT_FALSE(m_client.removeDirectory(r("/d1")));  // not empty
    for (const char* name : {"/d1/uno.bin", "/d1/zero.bin", "/d1/big file.bin"}) {
        EXPECT_TRUE(m_client.deleteFile(r(name))) << name << ": " << message();
    }
    EXPECT_FALSE(m_client.deleteFile(r("/d1/uno.bin")));
    EXPECT_TRUE(m_client.setCurrentDirectory(areaRoot()));
    EXPECT_TRUE(m_client.removeDirectory(r("/d1"))) << message();
    EXPECT_FALSE(fs::exists(area() / "d1"));
    EXPECT_FALSE(m_client.removeDirectory(r("/d1")));

    // After disconnect every operation gives false / 0 / empty text.
    m_client.disconnect();
    EXPECT_FALSE(m_client.createDirectory(r("/d2")));
    EXPECT_EQ(m_client.getCurrentDirectory(), "");
    EXPECT_EQ(m_client.listDirectory(r("/*.*"), listed), 0);
    EXPECT_FALSE(fs::exists(area() / "d2"));
}

// Plain literals are GB18030 texts (the build compiles them so); file names on the local
// disk are UTF-8.
TEST_P(RealServer, ChineseNames) {
    const std::string dir = r("/中文目录");
    const std::string file = dir + "/文件 一.txt";
    ASSERT_TRUE(m_client.createDirectory(dir)) << message();
    test::writeFile(m_work.path() / text::toUtf8("源.txt"), "hello");
    ASSERT_TRUE(m_client.uploadFile(m_work.str() + "/源.txt", file)) << message();
    std::vector<std::string> names;
    ASSERT_EQ(m_client.listDirectory(dir + "/*.*", names), 1) << message();
    EXPECT_EQ(names[0], "文件 一.txt");
    EXPECT_TRUE(m_client.setCurrentDirectory(dir));
    EXPECT_EQ(m_client.getCurrentDirectory(), dir);
    // On the server's disk: UTF-8 names where it speaks UTF-8, else the GBK bytes as sent.
    fs::path onDisk = utf8Server() ? area() / text::toUtf8("中文目录") / text::toUtf8("文件 一.txt")
                                   : area() / "中文目录" / "文件 一.txt";
    EXPECT_EQ(test::readFile(onDisk), "hello");
    ASSERT_TRUE(m_client.downloadFile(file, m_work.str() + "/下载.txt")) << message();
    EXPECT_EQ(test::readFile(m_work.path() / text::toUtf8("下载.txt")), "hello");
}

TEST_P(RealServer, HugeSparseFileIsListedWithItsTrueSize) {
    const std::uint64_t fiveGiB = 5ull << 30;
    test::writeFile(area() / "huge.iso", "");
    fs::resize_file(area() / "huge.iso", fiveGiB);  // sparse: no data written
    std::vector<std::string> names;
    std::vector<std::uint64_t> sizes;
    ASSERT_EQ(m_client.listDirectory(r("/*.*"), names, &sizes), 1) << message();
    EXPECT_EQ(names[0], "huge.iso");
    EXPECT_EQ(sizes[0], fiveGiB);
}

// Several threads on one client: listings while uploads and downloads run, plus deletes;
// every transfer's bytes arrive intact.
TEST_P(RealServer, ConcurrentUseKeepsEveryByte) {
    if (GetParam().server == Server::Pyftpdlib && GetParam().mode == Mode::Active) {
        // pyftpdlib 1.5.7 now and then never answers PORT when several clients use active
        // mode at once (curl -P - shows the same); its passive modes are covered below.
        GTEST_SKIP() << "pyftpdlib stalls on concurrent active-mode PORT";
    }
    constexpr int kRounds = 3;
    constexpr std::size_t kSize = 2 * 1024 * 1024 + 3;
    test::writeFile(area() / "source.bin", test::patternBytes(kSize, 42));
    for (int i = 0; i < kRounds; ++i) {
        test::writeFile(area() / ("victim" + std::to_string(i)), "x");
    }
    ASSERT_TRUE(m_client.setCurrentDirectory(areaRoot()));
    std::string upload = localFile("up.bin", kSize, 43);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            if (!m_client.uploadFile(upload, "up" + std::to_string(i) + ".bin")) {
                ++failures;
            }
        }
    });
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            std::string target = (m_work.path() / ("down" + std::to_string(i))).string();
            if (!m_client.downloadFile("source.bin", target)) {
                ++failures;
            }
        }
    });
    threads.emplace_back([&] {
        for (int i = 0; i < 10; ++i) {
            std::vector<std::string> names;
            if (m_client.listDirectory(r("/source.*"), names) != 1) {
                ++failures;
            }
        }
    });
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            if (!m_client.deleteFile(r("/victim" + std::to_string(i)))) {
                ++failures;
            }
        }
    });
    // The owner thread keeps browsing meanwhile.
    for (int i = 0; i < 5; ++i) {
        std::vector<std::string> names;
        if (m_client.listDirectory(r("/*.*"), names) == 0 ||
            m_client.getCurrentDirectory() != areaRoot()) {
            ++failures;
        }
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(failures.load(), 0) << message();
    for (int i = 0; i < kRounds; ++i) {
        EXPECT_TRUE(
            sameBytes(area() / ("up" + std::to_string(i) + ".bin"), test::patternBytes(kSize, 43)));
        EXPECT_TRUE(
            sameBytes(m_work.path() / ("down" + std::to_string(i)), test::patternBytes(kSize, 42)));
        EXPECT_FALSE(fs::exists(area() / ("victim" + std::to_string(i))));
    }
    // Worker connections closed with their threads; the primary still works.
    EXPECT_EQ(m_client.getCurrentDirectory(), areaRoot());
}

// Relative paths on a worker's own connection resolve against the primary's directory.
TEST_P(RealServer, WorkerTransfersFollowTheCurrentDirectory) {
    ASSERT_TRUE(m_client.createDirectory(r("/sub")));
    ASSERT_TRUE(m_client.setCurrentDirectory(r("/sub")));
    std::string local = localFile("rel.bin", 1000, 5);
    bool uploaded = false, downloaded = false;
    std::string target = (m_work.path() / "rel-back.bin").string();
    std::thread worker([&] {
        uploaded = m_client.uploadFile(local, "rel.bin");
        downloaded = m_client.downloadFile("rel.bin", target);
    });
    worker.join();
    EXPECT_TRUE(uploaded);
    EXPECT_TRUE(downloaded);
    EXPECT_TRUE(sameBytes(area() / "sub" / "rel.bin", test::patternBytes(1000, 5)));
    EXPECT_TRUE(sameBytes(target, test::patternBytes(1000, 5)));
}

INSTANTIATE_TEST_SUITE_P(Servers, RealServer,
                         testing::Values(Param{Server::Pyftpdlib, Mode::Active},
                                         Param{Server::Pyftpdlib, Mode::FallbackToPassive},
                                         Param{Server::Pyftpdlib, Mode::PassiveOnly},
                                         Param{Server::Vsftpd, Mode::Active},
                                         Param{Server::Vsftpd, Mode::FallbackToPassive},
                                         Param{Server::Vsftpd, Mode::PassiveOnly}),
                         paramName);

TEST(RealServerLogin, WrongPasswordAndNoServer) {
    TempDir root, work;
    std::string error;
    auto server = FtpServerProcess::startPyftpdlib(root.str(), work.str(), {}, error);
    ASSERT_TRUE(server) << error;
    FtpClient client;
    EXPECT_FALSE(client.connect("127.0.0.1", "lumaro", "wrong", server->port()));
    EXPECT_EQ(client.lastError().kind, ftp_session::FtpErrorKind::LoginRefused);
    EXPECT_FALSE(client.isConnected());
    EXPECT_TRUE(client.connect("127.0.0.1", "lumaro", "secret", server->port()));
    EXPECT_FALSE(client.connect("127.0.0.1", "lumaro", "secret", test::freeLoopbackPort()));
    EXPECT_EQ(client.lastError().kind, ftp_session::FtpErrorKind::ConnectFailed);
    EXPECT_FALSE(client.connect("127.0.0.1", "lumaro", "secret", 70000));
}

// When the server allows one connection per address, workers wait for the primary.
TEST(RealServerLogin, RefusedWorkerLoginFallsBackToThePrimary) {
    TempDir root, work;
    std::string error;
    test::ServerOptions options;
    options.maxConnectionsPerIp = 1;
    auto server = FtpServerProcess::startPyftpdlib(root.str(), work.str(), options, error);
    ASSERT_TRUE(server) << error;
    test::writeFile(root.path() / "a.bin", test::patternBytes(100000, 9));
    FtpClient client;
    ASSERT_TRUE(client.connect("127.0.0.1", "lumaro", "secret", server->port()));
    std::string target = (work.path() / "a.bin").string();
    bool ok = false;
    std::thread worker([&] { ok = client.downloadFile("/a.bin", target); });
    worker.join();
    EXPECT_TRUE(ok) << client.lastError().message;
    EXPECT_EQ(test::readFile(target), test::patternBytes(100000, 9));
}

TEST(NoConnection, EveryOperationGivesItsEmptyResult) {
    FtpClient client;
    std::vector<std::string> names{"stale"};
    std::vector<std::uint64_t> sizes{1};
    EXPECT_EQ(client.listDirectory("/*.*", names, &sizes), 0);
    EXPECT_TRUE(names.empty() && sizes.empty());
    EXPECT_FALSE(client.downloadFile("/a", "/tmp/never-written-by-lumaro"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/never-written-by-lumaro"));
    EXPECT_FALSE(client.uploadFile("/etc/hostname", "/a"));
    EXPECT_FALSE(client.deleteFile("/a"));
    EXPECT_FALSE(client.removeDirectory("/a"));
    EXPECT_FALSE(client.renameFile("/a", "/b"));
    EXPECT_FALSE(client.createDirectory("/a"));
    EXPECT_FALSE(client.setCurrentDirectory("/a"));
    EXPECT_EQ(client.getCurrentDirectory(), "");
    EXPECT_EQ(client.lastError().kind, ftp_session::FtpErrorKind::NotConnected);
    client.disconnect();  // harmless when closed
}

TEST(DownloadTempPath, SameDirectoryPureFunction) {
    EXPECT_EQ(downloadTempPath("/home/u/a.txt"), "/home/u/a.txt.lumaro-part");
    EXPECT_EQ(downloadTempPath("C:\\down\\a.txt"), "C:\\down\\a.txt.lumaro-part");
    EXPECT_EQ(downloadTempPath("/x/y"), downloadTempPath("/x/y"));
    // Converting a GB18030 path to UTF-8 and back commutes with it.
    const std::string gbPath = "/下载/文件.txt";
    EXPECT_EQ(text::toUtf8(downloadTempPath(gbPath)), downloadTempPath(text::toUtf8(gbPath)));
}

}  // namespace
}  // namespace lumaro::ftp

namespace lumaro::ftp {
namespace {

// IPv6: EPRT in active mode, EPSV in passive mode, on ::1.
TEST(RealServerIpv6, TransfersAndListingOverIpv6) {
    for (bool passive : {false, true}) {
        test::TempDir root, work;
        std::string error;
        test::ServerOptions options;
        options.address = "::1";
        auto server =
            test::FtpServerProcess::startPyftpdlib(root.str(), work.str(), options, error);
        ASSERT_TRUE(server) << error;
        test::writeFile(root.path() / "six.bin", test::patternBytes(70000, 6));
        FtpClient client;
        client.setPassive(passive);
        ASSERT_TRUE(client.connect("::1", "lumaro", "secret", server->port()))
            << client.lastError().message;
        std::vector<std::string> names;
        std::vector<std::uint64_t> sizes;
        ASSERT_EQ(client.listDirectory("/*.*", names, &sizes), 1) << client.lastError().message;
        EXPECT_EQ(sizes[0], 70000u);
        std::string target = (work.path() / "six.bin").string();
        ASSERT_TRUE(client.downloadFile("/six.bin", target)) << client.lastError().message;
        EXPECT_EQ(test::readFile(target), test::patternBytes(70000, 6));
        ASSERT_TRUE(client.uploadFile(target, "/back.bin")) << client.lastError().message;
        EXPECT_EQ(test::readFile(root.path() / "back.bin"), test::patternBytes(70000, 6));
    }
}

}  // namespace
}  // namespace lumaro::ftp

namespace lumaro::ftp {
namespace {

// A worker thread keeps its own connection past disconnect, reconnect and even the client's
// destruction; each later use sees the change and nothing dangles.
TEST(WorkerConnections, SurviveDisconnectReconnectAndDestruction) {
    test::TempDir root, work;
    std::string error;
    auto server = test::FtpServerProcess::startPyftpdlib(root.str(), work.str(), {}, error);
    ASSERT_TRUE(server) << error;
    test::writeFile(root.path() / "f.bin", test::patternBytes(50000, 1));
    auto client = std::make_unique<FtpClient>();
    client->setPassive(true);
    ASSERT_TRUE(client->connect("127.0.0.1", "lumaro", "secret", server->port()));

    std::mutex mutex;
    std::condition_variable changed;
    int step = 0;  // main and worker take turns
    auto waitFor = [&](int wanted) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return step == wanted; });
    };
    auto advance = [&] {
        std::lock_guard lock(mutex);
        ++step;
        changed.notify_all();
    };
    std::vector<bool> results;
    std::thread worker([&] {
        auto download = [&](const char* name) {
            results.push_back(client->downloadFile("/f.bin", (work.path() / name).string()));
        };
        download("1.bin");  // opens this thread's connection
        advance();          // step 1: main disconnects
        waitFor(2);
        download("2.bin");  // disconnected: fails at once
        advance();          // step 3: main reconnects
        waitFor(4);
        download("3.bin");  // a new connection for the new session
        advance();          // step 5: main destroys the client
        waitFor(6);
    });  // the thread ends after the client is gone: its connection closes safely
    waitFor(1);
    client->disconnect();
    advance();
    waitFor(3);
    ASSERT_TRUE(client->connect("127.0.0.1", "lumaro", "secret", server->port()));
    advance();
    waitFor(5);
    client.reset();
    advance();
    worker.join();
    EXPECT_EQ(results, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(test::readFile(work.path() / "3.bin"), test::patternBytes(50000, 1));
    EXPECT_FALSE(fs::exists(work.path() / "2.bin"));
}

}  // namespace
}  // namespace lumaro::ftp
