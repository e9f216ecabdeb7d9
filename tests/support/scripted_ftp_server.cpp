#include "support/scripted_ftp_server.h"

#include <arpa/inet.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace lumaro::test {
namespace {

constexpr int kWaitMs = 5000;  // longest the server waits for a data connection

int listenOn(const char* address) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    ::inet_pton(AF_INET, address, &a.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::uint16_t portOf(int fd) {
    sockaddr_in a{};
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    return ntohs(a.sin_port);
}

std::string verbOf(const std::string& line) {
    std::string verb = line.substr(0, line.find(' '));
    for (char& c : verb) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return verb;
}

std::string argumentOf(const std::string& line) {
    std::size_t space = line.find(' ');
    return space == std::string::npos ? std::string() : line.substr(space + 1);
}

}  // namespace

ScriptedFtpServer::ScriptedFtpServer(ScriptedServerConfig config) : m_config(std::move(config)) {
    ::pipe2(m_stopPipe, O_CLOEXEC);
    m_listener = listenOn("127.0.0.1");
    m_port = portOf(m_listener);
    m_thread = std::thread([this] { run(); });
}

ScriptedFtpServer::~ScriptedFtpServer() {
    m_stop = true;
    [[maybe_unused]] ssize_t n = ::write(m_stopPipe[1], "x", 1);
    m_thread.join();
    ::close(m_listener);
    ::close(m_stopPipe[0]);
    ::close(m_stopPipe[1]);
}

std::vector<std::string> ScriptedFtpServer::commands() const {
    std::lock_guard lock(m_mutex);
    return m_commands;
}

std::vector<std::string> ScriptedFtpServer::verbs() const {
    std::vector<std::string> out;
    for (const std::string& line : commands()) {
        out.push_back(verbOf(line));
    }
    return out;
}

std::string ScriptedFtpServer::stored(const std::string& name) const {
    std::lock_guard lock(m_mutex);
    auto it = m_stored.find(name);
    return it == m_stored.end() ? std::string() : it->second;
}

// Waits until `fd` is readable; false when stopping or after timeoutMs.
bool ScriptedFtpServer::waitReadable(int fd, int timeoutMs) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    int n = ::poll(fds, 2, timeoutMs);
    return n > 0 && !(fds[1].revents & POLLIN) && !m_stop;
}

void ScriptedFtpServer::run() {
    while (!m_stop) {
        if (!waitReadable(m_listener, -1)) {
            return;
        }
        int control = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (control < 0) {
            continue;
        }
        serveClient(control);
        ::close(control);
        if (m_passiveListener >= 0) {
            ::close(m_passiveListener);
            m_passiveListener = -1;
        }
        m_activePort = 0;
    }
}

// Sends all of `bytes`; false when the client is gone or the server stops.
static bool sendAll(int fd, const char* data, std::size_t size, int stopFd) {
    std::size_t sent = 0;
    while (sent < size) {
        pollfd fds[2] = {{fd, POLLOUT, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, kWaitMs) <= 0 || (fds[1].revents & POLLIN)) {
            return false;
        }
        ssize_t n = ::send(fd, data + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        sent += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    return true;
}

bool ScriptedFtpServer::sendReply(int control, const std::string& text) {
    std::string bytes = text + "\r\n";
    if (m_config.fault == HostileFault::SplitReplies) {
        int on = 1;
        ::setsockopt(control, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        for (char c : bytes) {
            if (!sendAll(control, &c, 1, m_stopPipe[0])) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        return true;
    }
    return sendAll(control, bytes.data(), bytes.size(), m_stopPipe[0]);
}

// The data connection for the next transfer, or -1 (the caller answers 425).
int ScriptedFtpServer::openData(int control) {
    if (m_passiveListener >= 0) {
        int listener = m_passiveListener;
        m_passiveListener = -1;
        int fd = waitReadable(listener, kWaitMs)
                     ? ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)
                     : -1;
        ::close(listener);
        return fd;
    }
    if (m_activePort == 0) {
        return -1;
    }
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_config.fault == HostileFault::ForeignActiveConnection) {
        // Another host on the loopback network; the client must not take this connection.
        sockaddr_in from{};
        from.sin_family = AF_INET;
        ::inet_pton(AF_INET, "127.0.0.2", &from.sin_addr);
        ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_activePort);
    ::inet_pton(AF_INET, m_activeHost.c_str(), &to.sin_addr);
    m_activePort = 0;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    if (m_config.fault == HostileFault::ForeignActiveConnection) {
        // Wait for the client to close it, then report the failure.
        char byte;
        if (waitReadable(fd, kWaitMs)) {
            [[maybe_unused]] ssize_t n = ::recv(fd, &byte, 1, 0);
        }
        ::close(fd);
        return -1;
    }
    return fd;
}

void ScriptedFtpServer::serveClient(int control) {
    const HostileFault fault = m_config.fault;
    if (fault == HostileFault::HugeReplyLine) {
        sendReply(control, "220 " + std::string(1 << 20, 'x'));
        waitReadable(control, kWaitMs);  // until the client gives up and closes
        return;
    }
    if (fault == HostileFault::EndlessMultiline) {
        std::string chunk;
        for (int i = 0; i < 100; ++i) {
            chunk += "220-welcome, and more welcome, and more\r\n";
        }
        while (sendAll(control, chunk.data(), chunk.size(), m_stopPipe[0])) {
        }
        return;
    }
    if (!sendReply(control, "220 scripted server ready")) {
        return;
    }
    std::string buffer;
    while (true) {
        std::size_t end = buffer.find("\r\n");
        if (end == std::string::npos) {
            if (!waitReadable(control, -1)) {
                return;
            }
            char chunk[4096];
            ssize_t n = ::recv(control, chunk, sizeof chunk, 0);
            if (n <= 0) {
                return;
            }
            buffer.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        std::string line = buffer.substr(0, end);
        buffer.erase(0, end + 2);
        {
            std::lock_guard lock(m_mutex);
            m_commands.push_back(line);
        }
        const std::string verb = verbOf(line);
        const std::string arg = argumentOf(line);
        if (fault == HostileFault::StallOnCommand && verb == m_config.stallCommand) {
            while (waitReadable(control, -1)) {
                char chunk[256];
                if (::recv(control, chunk, sizeof chunk, 0) <= 0) {
                    return;
                }
            }
            return;
        }
        bool ok = true;
        if (verb == "USER") {
            ok = sendReply(control, fault == HostileFault::GarbageReply
                                        ? "hello, this is not a reply"
                                        : "331 Password please.");
        } else if (verb == "PASS") {
            ok = sendReply(control, "230 Logged in.");
        } else if (verb == "FEAT") {
            ok = sendReply(control, m_config.utf8
                                        ? "211-Features:\r\n EPSV\r\n PASV\r\n UTF8\r\n211 End"
                                        : "211-Features:\r\n EPSV\r\n PASV\r\n SIZE\r\n211 End");
        } else if (verb == "OPTS" && m_config.utf8) {
            ok = sendReply(control, "200 Always in UTF8 mode.");
        } else if (verb == "TYPE") {
            ok = sendReply(control, "200 Binary it is.");
        } else if (verb == "PWD") {
            ok = sendReply(control, "257 \"/\" is the current directory");
        } else if (verb == "CWD") {
            ok = sendReply(control, "250 Okay.");
        } else if (verb == "QUIT") {
            sendReply(control, "221 Bye.");
            return;
        } else if (verb == "PORT" || verb == "EPRT") {
            if (fault == HostileFault::RefusePort) {
                ok = sendReply(control, "500 No active mode here.");
                continue;
            }
            unsigned h[6] = {};
            char host[64] = {};
            unsigned port = 0;
            if (verb == "PORT" && std::sscanf(arg.c_str(), "%u,%u,%u,%u,%u,%u", &h[0], &h[1], &h[2],
                                              &h[3], &h[4], &h[5]) == 6) {
                m_activeHost = std::to_string(h[0]) + "." + std::to_string(h[1]) + "." +
                               std::to_string(h[2]) + "." + std::to_string(h[3]);
                m_activePort = static_cast<std::uint16_t>(h[4] * 256 + h[5]);
                ok = sendReply(control, "200 PORT okay.");
            } else if (verb == "EPRT" &&
                       std::sscanf(arg.c_str(), "|1|%63[^|]|%u|", host, &port) == 2) {
                m_activeHost = host;
                m_activePort = static_cast<std::uint16_t>(port);
                ok = sendReply(control, "200 EPRT okay.");
            } else {
                ok = sendReply(control, "501 Bad address.");
            }
        } else if (verb == "EPSV" || verb == "PASV") {
            if (verb == "EPSV" && fault == HostileFault::PasvForeignAddress) {
                ok = sendReply(control, "500 EPSV not understood.");
                continue;
            }
            if (m_passiveListener >= 0) {
                ::close(m_passiveListener);
            }
            m_passiveListener = listenOn("127.0.0.1");
            unsigned p = portOf(m_passiveListener);
            if (verb == "EPSV") {
                ok = sendReply(
                    control, "229 Entering Extended Passive Mode (|||" + std::to_string(p) + "|)");
            } else {
                std::string address =
                    fault == HostileFault::PasvForeignAddress ? "10,9,8,7" : "127,0,0,1";
                ok = sendReply(control, "227 Entering Passive Mode (" + address + "," +
                                            std::to_string(p / 256) + "," +
                                            std::to_string(p % 256) + ").");
            }
        } else if (verb == "LIST") {
            int data = openData(control);
            if (data < 0) {
                ok = sendReply(control, "425 Can't open data connection.");
                continue;
            }
            std::ostringstream listing;
            for (const auto& [name, content] : m_config.files) {
                listing << "-rw-r--r--    1 1000     1000     " << content.size()
                        << " Jan 01  2024 " << name << "\r\n";
            }
            if (fault == HostileFault::ControlCharsInList) {
                listing << "-rw-r--r--    1 1000     1000     5 Jan 01  2024 bell\adata\r\n"
                        << "-rw-r--r--    1 1000     1000     5 Jan 01  2024 esc\x1b[2Jclear\r\n"
                        << "-rw-r--r--    1 1000     1000     5 Jan 01  2024 cr\rinside\r\n";
            }
            std::string text = listing.str();
            if (fault == HostileFault::PreliminaryAndFinalTogether) {
                sendAll(data, text.data(), text.size(), m_stopPipe[0]);
                ::close(data);
                ok = sendReply(control, "150 Here comes the listing.\r\n226 Directory send OK.");
                continue;
            }
            ok = sendReply(control, "150 Here comes the listing.");
            sendAll(data, text.data(), text.size(), m_stopPipe[0]);
            ::close(data);
            ok = ok && sendReply(control, "226 Directory send OK.");
        } else if (verb == "SIZE") {
            auto it = m_config.files.find(arg);
            ok = sendReply(control, it == m_config.files.end()
                                        ? "550 No such file."
                                        : "213 " + std::to_string(it->second.size()));
        } else if (verb == "RETR") {
            auto it = m_config.files.find(arg.size() > 1 && arg[0] == '/' ? arg.substr(1) : arg);
            if (it == m_config.files.end()) {
                ok = sendReply(control, "550 No such file.");
                continue;
            }
            int data = openData(control);
            if (data < 0) {
                ok = sendReply(control, "425 Can't open data connection.");
                continue;
            }
            const std::string& content = it->second;
            ok = sendReply(control, "150 Opening BINARY mode data connection for " + it->first +
                                        " (" + std::to_string(content.size()) + " bytes).");
            bool cut =
                fault == HostileFault::DropMidTransfer || fault == HostileFault::ShortTransferAcked;
            std::size_t count = cut ? content.size() / 2 : content.size();
            if (fault == HostileFault::SlowTransfer) {
                // Longer in all than the client's silence timeout, but never silent that long.
                std::size_t piece = (count + 7) / 8;
                for (std::size_t sent = 0; sent < count; sent += piece) {
                    sendAll(data, content.data() + sent, std::min(piece, count - sent),
                            m_stopPipe[0]);
                    waitReadable(m_stopPipe[0], m_config.pauseMs);
                }
            } else {
                sendAll(data, content.data(), count, m_stopPipe[0]);
            }
            ::close(data);
            if (fault == HostileFault::DropMidTransfer) {
                return;  // the control connection goes down with the data
            }
            ok = ok && sendReply(control, "226 Transfer complete.");
        } else if (verb == "STOR") {
            int data = openData(control);
            if (data < 0) {
                ok = sendReply(control, "425 Can't open data connection.");
                continue;
            }
            ok = sendReply(control, "150 Ok to send data.");
            std::string content;
            while (waitReadable(data, kWaitMs)) {
                char chunk[65536];
                ssize_t n = ::recv(data, chunk, sizeof chunk, 0);
                if (n <= 0) {
                    break;
                }
                content.append(chunk, static_cast<std::size_t>(n));
            }
            ::close(data);
            {
                std::lock_guard lock(m_mutex);
                m_stored[arg.size() > 1 && arg[0] == '/' ? arg.substr(1) : arg] = content;
            }
            ok = ok && sendReply(control, "226 Transfer complete.");
        } else {
            ok = sendReply(control, "502 Command not implemented.");
        }
        if (!ok) {
            return;
        }
    }
}

}  // namespace lumaro::test
