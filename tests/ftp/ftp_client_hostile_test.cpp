// FtpClient against the scripted hostile server: failed downloads leave the local disk as
// it was, and disconnect() from another thread ends an operation that hangs. In active mode
// the scripted server connects before it sends its 150, so the announced size arrives after
// the data connection opened; the short transfer must still be caught.

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "ftp/download_temp_path.h"
#include "ftp/ftp_client.h"
#include "support/scripted_ftp_server.h"
#include "support/temp_dir.h"

namespace lumaro::ftp {
namespace {

namespace fs = std::filesystem;
using test::HostileFault;
using namespace std::chrono_literals;

test::ScriptedServerConfig withFile(HostileFault fault, std::string stall = "") {
    test::ScriptedServerConfig config;
    config.fault = fault;
    config.stallCommand = std::move(stall);
    config.files = {{"data.bin", test::patternBytes(400000, 3)}};
    return config;
}

TEST(FtpClientHostile, FailedDownloadLeavesTheLocalFileAlone) {
    for (HostileFault fault : {HostileFault::DropMidTransfer, HostileFault::ShortTransferAcked}) {
        test::ScriptedFtpServer server(withFile(fault));
        test::TempDir dir;
        FtpClient client(ftp_session::FtpTimeouts{2000ms, 2000ms, 2000ms, 2000ms});
        ASSERT_TRUE(client.connect("127.0.0.1", "u", "p", server.port()));
        fs::path existing = dir.path() / "data.bin";
        test::writeFile(existing, "precious");
        EXPECT_FALSE(client.downloadFile("/data.bin", existing.string()));
        EXPECT_EQ(test::readFile(existing), "precious");
        EXPECT_FALSE(fs::exists(downloadTempPath(existing.string())));
        // A new name: nothing is left behind at all.
        fs::path fresh = dir.path() / "fresh.bin";
        client.connect("127.0.0.1", "u", "p", server.port());
        EXPECT_FALSE(client.downloadFile("/data.bin", fresh.string()));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

TEST(FtpClientHostile, GoodDownloadFromTheScriptedServer) {
    test::ScriptedFtpServer server(withFile(HostileFault::None));
    test::TempDir dir;
    FtpClient client;
    ASSERT_TRUE(client.connect("127.0.0.1", "u", "p", 0 + server.port()));
    fs::path target = dir.path() / "data.bin";
    ASSERT_TRUE(client.downloadFile("/data.bin", target.string()));
    EXPECT_EQ(test::readFile(target), test::patternBytes(400000, 3));
}

TEST(FtpClientHostile, DisconnectFromAnotherThreadEndsAHangingOperation) {
    test::ScriptedFtpServer server(withFile(HostileFault::StallOnCommand, "PWD"));
    // Waits of ten minutes: only disconnect() can end the hanging PWD in time.
    FtpClient client(ftp_session::FtpTimeouts{2000ms, 600000ms, 600000ms, 600000ms});
    std::atomic<bool> connected{true};
    std::thread connector(
        [&] { connected = client.connect("127.0.0.1", "u", "p", server.port()); });
    while (server.verbs().empty() || server.verbs().back() != "PWD") {
        std::this_thread::sleep_for(10ms);
    }
    client.disconnect();
    connector.join();
    EXPECT_FALSE(connected.load());
    EXPECT_FALSE(client.isConnected());
    EXPECT_EQ(client.getCurrentDirectory(), "");
}

}  // namespace
}  // namespace lumaro::ftp
