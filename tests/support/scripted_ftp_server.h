#pragma once
// A small FTP server of our own that plays hostile or broken servers. It serves a fixed set
// of files from memory on 127.0.0.1 (LIST, RETR, STOR, active and passive), behaves well by
// default, and misbehaves in one chosen way. It records every command it received, so a
// test can check exactly what the client sent.
//
// Threads: the server runs on its own thread from construction to destruction; commands()
// may be read from any thread. The destructor stops it promptly, whatever state it is in.

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lumaro::test {

enum class HostileFault {
    None,
    SplitReplies,                 // every reply goes out one byte per packet
    HugeReplyLine,                // the greeting is a single 1 MB line
    EndlessMultiline,             // the greeting is a multi-line reply that never ends
    GarbageReply,                 // the answer to USER is text without a reply code
    StallOnCommand,               // no answer at all to the command named in stallCommand
    DropMidTransfer,              // RETR: half the announced bytes, then both connections close
    ShortTransferAcked,           // RETR: half the announced bytes, then "226" as if complete
    PasvForeignAddress,           // EPSV refused; PASV names 10.9.8.7 instead of our address
    ForeignActiveConnection,      // active mode: connect from 127.0.0.2, then answer 425
    RefusePort,                   // PORT and EPRT refused with 500
    ControlCharsInList,           // LIST holds lines whose names carry control bytes
    PreliminaryAndFinalTogether,  // LIST: data first, then 150 and 226 in one packet
    SlowTransfer,                 // RETR: the file in 8 pieces with a pause after each
};

struct ScriptedServerConfig {
    HostileFault fault = HostileFault::None;
    std::string stallCommand = "PWD";          // for StallOnCommand: the verb left unanswered
    int pauseMs = 0;                           // for SlowTransfer: the pause between pieces
    std::map<std::string, std::string> files;  // wire name → content, all in "/"
    bool utf8 = false;                         // FEAT lists UTF8 and OPTS UTF8 ON is accepted
};

class ScriptedFtpServer {
public:
    explicit ScriptedFtpServer(ScriptedServerConfig config);
    ~ScriptedFtpServer();
    ScriptedFtpServer(const ScriptedFtpServer&) = delete;
    ScriptedFtpServer& operator=(const ScriptedFtpServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // Every command line received so far, without CRLF, in order.
    std::vector<std::string> commands() const;
    // The verbs alone ("USER", "PORT", ...).
    std::vector<std::string> verbs() const;
    // Content stored by STOR, by name.
    std::string stored(const std::string& name) const;

private:
    void run();
    void serveClient(int control);
    bool sendReply(int control, const std::string& text);
    int openData(int control);
    bool waitReadable(int fd, int timeoutMs);

    ScriptedServerConfig m_config;
    int m_listener = -1;
    int m_stopPipe[2] = {-1, -1};
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_commands;
    std::map<std::string, std::string> m_stored;
    // Data connection state of the current client.
    int m_passiveListener = -1;
    std::string m_activeHost;
    std::uint16_t m_activePort = 0;
    std::thread m_thread;
};

}  // namespace lumaro::test
