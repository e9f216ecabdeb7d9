#pragma once
// Small POSIX socket helpers for the FTP engine: an owning descriptor, waits that wake on
// an abort descriptor, and connect with a timeout. Non-blocking sockets throughout.

#include <sys/socket.h>

#include <chrono>
#include <string>

namespace lumaro::ftp_session {

// Owns one file descriptor; closes it on destruction.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(Fd&& other) noexcept : m_fd(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

enum class WaitResult { Ready, Timeout, Aborted, Error };

// Waits until `fd` has `events` (POLLIN / POLLOUT), the timeout passes, or `abortFd`
// becomes readable. `abortFd` may be -1.
WaitResult waitFor(int fd, short events, std::chrono::milliseconds timeout, int abortFd);

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int family() const { return storage.ss_family; }
    std::uint16_t port() const;
    void setPort(std::uint16_t port);
    std::string hostText() const;  // "127.0.0.1", "::1"
    bool sameHost(const SocketAddress& other) const;
};

SocketAddress localAddress(int fd);
SocketAddress peerAddress(int fd);

// Connects a new non-blocking TCP socket to `address`. On failure returns an invalid Fd and
// sets `result` (Timeout, Aborted or Error) and `error` to a readable reason.
Fd connectTo(const SocketAddress& address, std::chrono::milliseconds timeout, int abortFd,
             WaitResult& result, std::string& error);

void setNonBlocking(int fd);
// Keep-alive probes for a connection that sits idle during long transfers.
void enableKeepAlive(int fd);

}  // namespace lumaro::ftp_session
