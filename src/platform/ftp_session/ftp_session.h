#pragma once
// One FTP connection (RFC 959, 2389, 2428, 3659, 2640) over TCP.
//
// Names and paths given to and returned by the session are the system's GB18030 texts; on
// the wire they travel as UTF-8 when the server accepted OPTS UTF8 ON, else as the bytes
// they are. Every operation returns true on success; on failure lastError() says why.
//
// Threads: one thread at a time drives a session. abort() and bytesTransferred() may be
// called from any thread. After abort() the session is closed and every later operation
// fails with FtpErrorKind::Aborted.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ftp_session/ftp_error.h"
#include "platform/ftp_session/ftp_limits.h"
#include "platform/ftp_session/ftp_reply.h"
#include "platform/ftp_session/list_parser.h"
#include "platform/ftp_session/raw_name_book.h"
#include "platform/ftp_session/socket_io.h"

namespace lumaro::ftp_session {

class FtpSession {
public:
    explicit FtpSession(FtpTimeouts timeouts = {});
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // Connects (port 0 means 21), logs in, reads FEAT, turns on UTF-8 names when offered and
    // sets binary type. Closes an open connection first.
    bool connect(const std::string& host, std::uint16_t port, const std::string& user,
                 const std::string& password);
    // Sends QUIT (briefly) and closes. Safe when not connected.
    void close();
    bool isOpen() const { return m_control.valid(); }

    // Shares the book of non-UTF-8 names with the other connections of one client; by
    // default each session keeps its own.
    void setRawNameBook(std::shared_ptr<RawNameBook> book) { m_rawNames = std::move(book); }

    // Skips active mode and opens data connections passively from the start.
    void setPassiveOnly(bool passive) { m_passiveOnly = passive; }

    // Lists `directory` ("" = the current directory) with MLSD when offered, else LIST;
    // appends the entries to `entries`.
    bool list(std::string_view directory, std::vector<RemoteEntry>& entries);
    // Streams the remote file into the open descriptor `fd`.
    bool retrieve(std::string_view remotePath, int fd);
    // Streams the open descriptor `fd`, from its current offset to its end, into the remote file.
    bool store(int fd, std::string_view remotePath);

    bool deleteFile(std::string_view remotePath);
    bool removeDirectory(std::string_view remotePath);
    bool makeDirectory(std::string_view remotePath);
    bool rename(std::string_view from, std::string_view to);
    bool changeDirectory(std::string_view remotePath);
    std::optional<std::string> printDirectory();

    // Any thread: makes the running operation fail at once and closes the session.
    void abort();
    // Any thread: bytes moved by the current or last transfer.
    std::uint64_t bytesTransferred() const { return m_bytes.load(std::memory_order_relaxed); }

    const FtpError& lastError() const { return m_error; }
    bool utf8Names() const { return m_utf8; }
    bool usesMlsd() const { return m_features.count("MLSD") || m_features.count("MLST"); }
    // The control connection's peer address ("127.0.0.1"), empty when closed.
    std::string peerHost() const;

private:
    struct DataChannel {
        Fd socket;
        std::optional<std::uint64_t> announcedSize;
        bool finalSeen = false;  // the final reply came early and waits in m_pushedBack
    };

    bool fail(FtpErrorKind kind, std::string message, int code = 0);
    bool fatal(FtpErrorKind kind, std::string message);
    bool failFromWait(WaitResult result, const char* what);
    bool ready();

    std::optional<std::string> toWire(std::string_view text);
    std::string fromWire(std::string_view bytes) const;

    bool sendLine(std::string_view line);
    bool readReply(FtpReply& reply, std::chrono::milliseconds timeout);
    bool readReply(FtpReply& reply) { return readReply(reply, m_timeouts.reply); }
    // Skips 1xx replies; takes the size a skipped one announces when none is known yet.
    bool readFinalReply(FtpReply& reply, std::optional<std::uint64_t>* announcedSize = nullptr);
    bool command(std::string_view line, FtpReply& reply);
    bool simpleCommand(std::string_view verb, std::string_view path, int okClass);
    bool login(const std::string& user, const std::string& password);

    enum class OpenResult { Ok, Failed, TryPassive };
    // Checks the session, sends "VERB path" and opens its data connection.
    bool beginTransfer(std::string_view verb, std::string_view remotePath, DataChannel& channel);
    bool openData(const std::string& commandLine, DataChannel& channel);
    OpenResult openActive(const std::string& commandLine, DataChannel& channel);
    bool openPassive(const std::string& commandLine, DataChannel& channel);
    bool waitOnData(DataChannel& channel, short events, const char* what);
    bool sendFileData(DataChannel& channel, int fd, std::uint64_t& sent);
    bool finishTransfer(DataChannel& channel, std::uint64_t received, bool checkSize);

    FtpTimeouts m_timeouts;
    Fd m_control;
    Fd m_abortEvent;  // eventfd; readable once abort() was called
    std::atomic<bool> m_aborted{false};
    SocketAddress m_peer;
    SocketAddress m_local;
    ReplyFramer m_framer;
    std::optional<FtpReply> m_pushedBack;  // a final reply read early, returned next
    std::set<std::string> m_features;
    bool m_utf8 = false;
    std::shared_ptr<RawNameBook> m_rawNames = std::make_shared<RawNameBook>();
    bool m_passiveOnly = false;
    bool m_activeFailed = false;
    bool m_epsvFailed = false;
    std::atomic<std::uint64_t> m_bytes{0};
    FtpError m_error;
};

}  // namespace lumaro::ftp_session
