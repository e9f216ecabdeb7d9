#include "platform/ftp_session/socket_io.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lumaro::ftp_session {

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        reset(other.release());
    }
    return *this;
}

int Fd::release() {
    int fd = m_fd;
    m_fd = -1;
    return fd;
}

void Fd::reset(int fd) {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
}

WaitResult waitFor(int fd, short events, std::chrono::milliseconds timeout, int abortFd) {
    pollfd fds[2] = {{fd, events, 0}, {abortFd, POLLIN, 0}};
    nfds_t count = abortFd >= 0 ? 2 : 1;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() < 0) {
            return WaitResult::Timeout;
        }
        int n = ::poll(fds, count, static_cast<int>(left.count()));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WaitResult::Error;
        }
        if (n == 0) {
            return WaitResult::Timeout;
        }
        if (count == 2 && (fds[1].revents & POLLIN)) {
            return WaitResult::Aborted;
        }
        if (fds[0].revents != 0) {
            return WaitResult::Ready;  // readiness, hang-up or error: the next call tells
        }
    }
}

std::uint16_t SocketAddress::port() const {
    if (family() == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in&>(storage).sin_port);
    }
    return ntohs(reinterpret_cast<const sockaddr_in6&>(storage).sin6_port);
}

void SocketAddress::setPort(std::uint16_t port) {
    if (family() == AF_INET) {
        reinterpret_cast<sockaddr_in&>(storage).sin_port = htons(port);
    } else {
        reinterpret_cast<sockaddr_in6&>(storage).sin6_port = htons(port);
    }
}

std::string SocketAddress::hostText() const {
    char text[INET6_ADDRSTRLEN] = {};
    if (family() == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(storage).sin_addr, text,
                  sizeof text);
    } else {
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(storage).sin6_addr, text,
                  sizeof text);
    }
    return text;
}

bool SocketAddress::sameHost(const SocketAddress& other) const {
    if (family() != other.family()) {
        return false;
    }
    if (family() == AF_INET) {
        return reinterpret_cast<const sockaddr_in&>(storage).sin_addr.s_addr ==
               reinterpret_cast<const sockaddr_in&>(other.storage).sin_addr.s_addr;
    }
    return std::memcmp(&reinterpret_cast<const sockaddr_in6&>(storage).sin6_addr,
                       &reinterpret_cast<const sockaddr_in6&>(other.storage).sin6_addr,
                       sizeof(in6_addr)) == 0;
}

SocketAddress localAddress(int fd) {
    SocketAddress a;
    a.length = sizeof a.storage;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a.storage), &a.length);
    return a;
}

SocketAddress peerAddress(int fd) {
    SocketAddress a;
    a.length = sizeof a.storage;
    ::getpeername(fd, reinterpret_cast<sockaddr*>(&a.storage), &a.length);
    return a;
}

void setNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

void enableKeepAlive(int fd) {
    int on = 1, idle = 60, interval = 15, count = 4;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

Fd connectTo(const SocketAddress& address, std::chrono::milliseconds timeout, int abortFd,
             WaitResult& result, std::string& error) {
    Fd fd(::socket(address.family(), SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.valid()) {
        result = WaitResult::Error;
        error = std::strerror(errno);
        return {};
    }
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address.storage), address.length) ==
        0) {
        result = WaitResult::Ready;
        return fd;
    }
    if (errno != EINPROGRESS) {
        result = WaitResult::Error;
        error = std::strerror(errno);
        return {};
    }
    result = waitFor(fd.get(), POLLOUT, timeout, abortFd);
    if (result != WaitResult::Ready) {
        error = result == WaitResult::Timeout ? "connect timed out" : "connect interrupted";
        return {};
    }
    int soError = 0;
    socklen_t len = sizeof soError;
    ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &soError, &len);
    if (soError != 0) {
        result = WaitResult::Error;
        error = std::strerror(soError);
        return {};
    }
    return fd;
}

}  // namespace lumaro::ftp_session
