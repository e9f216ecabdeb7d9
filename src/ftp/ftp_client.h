#pragma once
// FtpClient: the process's one FTP session as the rest of the system sees it, with the
// eleven operations and their plain results (false / 0 / empty text when no connection is
// open or the operation fails). lastError() keeps the engine's reason for logs and tools.
//
// Threads. The thread that constructed the client is its owner thread (the user-interface
// thread: the process state is built there); connecting from a worker does not change it.
// Inside there is one primary connection, used under a lock,
// which carries the current directory, listings, renames and short commands, and every
// transfer started on the owner thread. A transfer started on any other thread runs on a
// connection of that thread's own, logged in with the same account on first use and closed
// when the thread ends; relative paths on it are resolved against the primary's current
// directory. A listing on another thread takes that thread's connection when the primary is
// busy. When the server refuses the extra login, the work waits for the primary instead.
// disconnect() aborts and closes every connection. Every method may be called from any
// thread. The client may be destroyed while worker threads still hold their connections
// (they close when those threads end), but not while a call on it is still running.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ftp_session/ftp_error.h"
#include "platform/ftp_session/ftp_limits.h"
#include "platform/ftp_session/list_parser.h"

namespace lumaro::ftp_session {
class FtpSession;
}

namespace lumaro::ftp {

class FtpClient {
public:
    explicit FtpClient(ftp_session::FtpTimeouts timeouts = {});
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Opens data connections passively from the start (the default is active first, with
    // a passive fallback). Takes effect at the next connect.
    void setPassive(bool passive);

    // Closes an open connection first; port 0 means 21. True when logged in.
    bool connect(const std::string& host, const std::string& user, const std::string& password,
                 int port);
    void disconnect();
    bool isConnected() const;

    // Lists the pattern's directory and keeps the names matching its last part; "*.*" and "*"
    // match every name. Fills `names` and, when given, `sizes` (64-bit byte counts) in the
    // server's order. Returns the count; 0 when the listing fails or finds nothing.
    int listDirectory(const std::string& pattern, std::vector<std::string>& names,
                      std::vector<std::uint64_t>* sizes = nullptr);
    // The same listing with every entry's directory flag. False when the listing fails.
    bool listEntries(const std::string& pattern, std::vector<ftp_session::RemoteEntry>& entries);

    // Writes to downloadTempPath(localPath) and renames onto localPath only when the whole
    // file arrived; an existing local file is replaced then and never touched on failure.
    bool downloadFile(const std::string& remotePath, const std::string& localPath);
    bool uploadFile(const std::string& localPath, const std::string& remotePath);
    bool deleteFile(const std::string& remotePath);
    bool removeDirectory(const std::string& remotePath);
    bool renameFile(const std::string& oldPath, const std::string& newPath);
    bool createDirectory(const std::string& remotePath);
    bool setCurrentDirectory(const std::string& remotePath);
    // The server's current directory; empty on failure.
    std::string getCurrentDirectory();

    // The reason of the most recent failure on any thread (kind None after a success).
    ftp_session::FtpError lastError() const;

    struct Shared;  // state shared with the connections of worker threads

private:
    using SessionPtr = std::shared_ptr<ftp_session::FtpSession>;

    bool onOwnerThread() const;
    SessionPtr workerSession();
    std::string absolutePath(const std::string& path) const;
    bool record(bool ok, const ftp_session::FtpSession& session);
    bool recordFailure(ftp_session::FtpErrorKind kind, std::string message);
    template <typename Op>
    bool onPrimary(Op&& op);
    template <typename Op>
    bool transfer(const std::string& remotePath, Op&& op);
    bool closePrimary(bool politely);

    std::shared_ptr<Shared> m_shared;
    std::mutex m_primaryMutex;  // held for the whole of every operation on the primary
    SessionPtr m_primary;       // changed only under m_primaryMutex and Shared::mutex
};

}  // namespace lumaro::ftp
