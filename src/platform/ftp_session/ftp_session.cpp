#include "platform/ftp_session/ftp_session.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/text/encoding.h"

namespace lumaro::ftp_session {
namespace {

constexpr std::size_t kControlReadChunk = 64 * 1024;

bool hasForbiddenByte(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::vector<SocketAddress> resolve(const std::string& host, std::uint16_t port,
                                   std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    std::string service = std::to_string(port);
    int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
    std::vector<SocketAddress> out;
    if (rc != 0) {
        error = ::gai_strerror(rc);
        return out;
    }
    for (addrinfo* a = list; a != nullptr; a = a->ai_next) {
        SocketAddress address;
        std::memcpy(&address.storage, a->ai_addr, a->ai_addrlen);
        address.length = a->ai_addrlen;
        out.push_back(address);
    }
    ::freeaddrinfo(list);
    return out;
}

}  // namespace

FtpSession::FtpSession(FtpTimeouts timeouts)
    : m_timeouts(timeouts), m_abortEvent(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

FtpSession::~FtpSession() {
    close();
}

void FtpSession::abort() {
    m_aborted.store(true);
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(m_abortEvent.get(), &one, sizeof one);
}

std::string FtpSession::peerHost() const {
    return isOpen() ? m_peer.hostText() : std::string();
}

bool FtpSession::fail(FtpErrorKind kind, std::string message, int code) {
    m_error = FtpError{kind, std::move(message), code};
    return false;
}

// A failure after which the conversation's state is unknown: the connection is closed.
bool FtpSession::fatal(FtpErrorKind kind, std::string message) {
    m_control.reset();
    return fail(kind, std::move(message));
}

bool FtpSession::failFromWait(WaitResult result, const char* what) {
    switch (result) {
        case WaitResult::Timeout:
            return fatal(FtpErrorKind::Timeout, std::string("timed out waiting for ") + what);
        case WaitResult::Aborted:
            return fatal(FtpErrorKind::Aborted, "aborted");
        default:
            return fatal(FtpErrorKind::ConnectionClosed, std::string("error on ") + what);
    }
}

bool FtpSession::ready() {
    if (m_aborted.load()) {
        return fatal(FtpErrorKind::Aborted, "aborted");
    }
    if (!m_control.valid()) {
        return fail(FtpErrorKind::NotConnected, "not connected");
    }
    m_error = {};
    return true;
}

std::optional<std::string> FtpSession::toWire(std::string_view text) {
    if (hasForbiddenByte(text)) {
        fail(FtpErrorKind::InvalidArgument, "a name holds CR, LF or NUL");
        return std::nullopt;
    }
    if (!m_utf8 || text::isAscii(text) || m_rawNames->contains(text)) {
        return std::string(text);
    }
    // Path by path component: a component the server listed in non-UTF-8 bytes goes back as
    // those bytes, every other one as UTF-8. "/" is never part of a GBK or UTF-8 character.
    std::string wire;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = text.find('/', start);
        const std::string_view part = text.substr(start, slash - start);
        if (text::isAscii(part) || m_rawNames->contains(part)) {
            wire += part;
        } else if (std::optional<std::string> utf8 = text::gbToUtf8(part)) {
            wire += *utf8;
        } else {
            fail(FtpErrorKind::InvalidArgument, "a name is not valid GB18030 text");
            return std::nullopt;
        }
        if (slash == std::string_view::npos) {
            return wire;
        }
        wire += '/';
        start = slash + 1;
    }
}

std::string FtpSession::fromWire(std::string_view bytes) const {
    // A server that speaks UTF-8 may still hold names written as GBK bytes by older
    // clients: such a name is taken as GBK rather than garbled, and remembered so that it
    // goes back in the same bytes. ASCII is the same in all three.
    if (!m_utf8 || text::isAscii(bytes)) {
        return std::string(bytes);
    }
    if (text::isValidUtf8(bytes)) {
        if (std::optional<std::string> gb = text::utf8ToGb(bytes)) {
            return *gb;
        }
    }
    m_rawNames->remember(bytes);
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t slash = std::min(bytes.find('/', start), bytes.size());
        const std::string_view part = bytes.substr(start, slash - start);
        if (!text::isValidUtf8(part)) {
            m_rawNames->remember(part);
        }
        start = slash + 1;
    }
    return std::string(bytes);
}

bool FtpSession::sendLine(std::string_view line) {
    std::string out(line);
    out += "\r\n";
    std::size_t sent = 0;
    while (sent < out.size()) {
        ssize_t n = ::send(m_control.get(), out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            WaitResult w = waitFor(m_control.get(), POLLOUT, m_timeouts.reply, m_abortEvent.get());
            if (w != WaitResult::Ready) {
                return failFromWait(w, "the control connection");
            }
            continue;
        }
        return fatal(FtpErrorKind::ConnectionClosed, "control connection lost while sending");
    }
    return true;
}

bool FtpSession::readReply(FtpReply& reply, std::chrono::milliseconds timeout) {
    if (m_pushedBack) {
        reply = std::move(*m_pushedBack);
        m_pushedBack.reset();
        return true;
    }
    char buffer[kControlReadChunk];
    while (true) {
        FtpError error;
        ReplyFramer::Status status = m_framer.next(reply, error);
        if (status == ReplyFramer::Status::Ready) {
            return true;
        }
        if (status == ReplyFramer::Status::Failed) {
            return fatal(error.kind, error.message);
        }
        if (m_aborted.load()) {
            return fatal(FtpErrorKind::Aborted, "aborted");
        }
        ssize_t n = ::recv(m_control.get(), buffer, sizeof buffer, 0);
        if (n > 0) {
            m_framer.feed(std::string_view(buffer, static_cast<std::size_t>(n)));
            continue;
        }
        if (n == 0) {
            return fatal(FtpErrorKind::ConnectionClosed, "the server closed the connection");
        }
        if (errno != EAGAIN && errno != EINTR) {
            return fatal(FtpErrorKind::ConnectionClosed, std::strerror(errno));
        }
        WaitResult w = waitFor(m_control.get(), POLLIN, timeout, m_abortEvent.get());
        if (w != WaitResult::Ready) {
            return failFromWait(w, "a reply");
        }
    }
}

bool FtpSession::readFinalReply(FtpReply& reply, std::optional<std::uint64_t>* announcedSize) {
    while (true) {
        if (!readReply(reply)) {
            return false;
        }
        if (!reply.isPreliminary()) {
            return true;
        }
        // In active mode the server may connect before its 150 reaches us; the size that
        // reply announces still counts.
        if (announcedSize && !*announcedSize) {
            *announcedSize = parseAnnouncedSize(reply.lastText());
        }
    }
}

bool FtpSession::command(std::string_view line, FtpReply& reply) {
    return sendLine(line) && readFinalReply(reply);
}

// "VERB path" expecting a reply of class okClass (2 → 2xx, 3 → 3xx).
bool FtpSession::simpleCommand(std::string_view verb, std::string_view path, int okClass) {
    if (!ready()) {
        return false;
    }
    std::optional<std::string> wire = toWire(path);
    if (!wire) {
        return false;
    }
    if (wire->empty()) {
        return fail(FtpErrorKind::InvalidArgument, "empty path");
    }
    FtpReply reply;
    if (!command(std::string(verb) + " " + *wire, reply)) {
        return false;
    }
    if (reply.code / 100 != okClass) {
        return fail(FtpErrorKind::CommandRefused, reply.joined(), reply.code);
    }
    return true;
}

bool FtpSession::connect(const std::string& host, std::uint16_t port, const std::string& user,
                         const std::string& password) {
    close();
    if (m_aborted.load()) {
        return fail(FtpErrorKind::Aborted, "aborted");
    }
    m_error = {};
    m_framer = ReplyFramer();
    m_pushedBack.reset();
    m_features.clear();
    m_utf8 = false;
    m_activeFailed = false;
    m_epsvFailed = false;
    if (hasForbiddenByte(user) || hasForbiddenByte(password)) {
        return fail(FtpErrorKind::InvalidArgument, "user or password holds CR, LF or NUL");
    }
    std::string error = "no address";
    std::vector<SocketAddress> addresses = resolve(host, port == 0 ? 21 : port, error);
    for (const SocketAddress& address : addresses) {
        WaitResult result;
        Fd fd = connectTo(address, m_timeouts.connect, m_abortEvent.get(), result, error);
        if (result == WaitResult::Aborted) {
            return fail(FtpErrorKind::Aborted, "aborted");
        }
        if (fd.valid()) {
            m_control = std::move(fd);
            break;
        }
    }
    if (!m_control.valid()) {
        return fail(FtpErrorKind::ConnectFailed, "cannot connect to " + host + ": " + error);
    }
    enableKeepAlive(m_control.get());
    m_peer = peerAddress(m_control.get());
    m_local = localAddress(m_control.get());
    if (!login(user, password)) {
        m_control.reset();
        return false;
    }
    return true;
}

bool FtpSession::login(const std::string& user, const std::string& password) {
    FtpReply reply;
    if (!readFinalReply(reply)) {  // a 120 "ready in n minutes" is followed by the 220
        return false;
    }
    if (reply.code != 220) {
        return fail(FtpErrorKind::LoginRefused, "greeting: " + reply.joined(), reply.code);
    }
    if (!command("USER " + (user.empty() ? std::string("anonymous") : user), reply)) {
        return false;
    }
    if (reply.code == 331) {
        if (!command("PASS " + password, reply)) {
            return false;
        }
    }
    if (reply.code != 230 && reply.code != 202) {
        return fail(FtpErrorKind::LoginRefused, reply.joined(), reply.code);
    }
    if (!command("FEAT", reply)) {
        return false;
    }
    m_features = parseFeatures(reply);
    if (m_features.count("UTF8")) {
        // A server that lists UTF8 in FEAT uses UTF-8 names (RFC 2640). Some (IIS, FileZilla)
        // still want OPTS UTF8 ON; others (pyftpdlib) answer it with 501 yet speak UTF-8.
        if (!command("OPTS UTF8 ON", reply)) {
            return false;
        }
        m_utf8 = true;
    }
    if (!command("TYPE I", reply)) {
        return false;
    }
    if (reply.code / 100 != 2) {
        return fail(FtpErrorKind::CommandRefused, "TYPE I: " + reply.joined(), reply.code);
    }
    return true;
}

void FtpSession::close() {
    if (m_control.valid() && !m_aborted.load()) {
        // A polite QUIT, but never wait long for its answer.
        FtpTimeouts saved = m_timeouts;
        m_timeouts.reply = std::min(m_timeouts.reply, std::chrono::milliseconds(1000));
        FtpReply reply;
        if (!m_framer.hasPartial() && sendLine("QUIT")) {
            readReply(reply);
        }
        m_timeouts = saved;
    }
    m_control.reset();
}

bool FtpSession::openData(const std::string& commandLine, DataChannel& channel) {
    if (!m_passiveOnly && !m_activeFailed) {
        OpenResult result = openActive(commandLine, channel);
        if (result != OpenResult::TryPassive) {
            return result == OpenResult::Ok;
        }
        m_activeFailed = true;  // this server cannot do active mode; do not try again
    }
    return openPassive(commandLine, channel);
}

// Active mode: we listen on the control connection's local address and the server connects
// to us. Only a connection from the server's own address is accepted.
FtpSession::OpenResult FtpSession::openActive(const std::string& commandLine,
                                              DataChannel& channel) {
    SocketAddress listenAddress = m_local;
    listenAddress.setPort(0);
    Fd listener(::socket(listenAddress.family(), SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener.valid() ||
        ::bind(listener.get(), reinterpret_cast<const sockaddr*>(&listenAddress.storage),
               listenAddress.length) != 0 ||
        ::listen(listener.get(), 4) != 0) {
        return OpenResult::TryPassive;
    }
    SocketAddress bound = localAddress(listener.get());
    std::string portCommand;
    if (bound.family() == AF_INET) {
        const auto& in = reinterpret_cast<const sockaddr_in&>(bound.storage);
        portCommand =
            formatPortCommand(reinterpret_cast<const std::uint8_t*>(&in.sin_addr), bound.port());
    } else {
        portCommand = formatEprtCommand(2, bound.hostText(), bound.port());
    }
    FtpReply reply;
    if (!command(portCommand, reply)) {
        return OpenResult::Failed;
    }
    if (reply.code / 100 != 2) {
        return OpenResult::TryPassive;
    }
    if (!sendLine(commandLine)) {
        return OpenResult::Failed;
    }
    // Wait for the server's connection; its replies may come before or after it connects.
    bool sawFinal = false;
    while (!channel.socket.valid()) {
        pollfd fds[3] = {{listener.get(), POLLIN, 0},
                         {m_control.get(), POLLIN, 0},
                         {m_abortEvent.get(), POLLIN, 0}};
        int n = ::poll(fds, 3, static_cast<int>(m_timeouts.dataConnect.count()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (fds[2].revents & POLLIN) {
            fatal(FtpErrorKind::Aborted, "aborted");
            return OpenResult::Failed;
        }
        if (n == 0) {
            break;  // the server did not connect in time
        }
        if ((fds[1].revents != 0 || m_framer.hasPartial()) && !sawFinal) {
            if (!readReply(reply)) {
                return OpenResult::Failed;
            }
            if (reply.isPreliminary()) {
                channel.announcedSize = parseAnnouncedSize(reply.lastText());
            } else if (reply.code == 425) {
                return OpenResult::TryPassive;  // "can't open data connection"
            } else if (reply.code / 100 != 2) {
                fail(FtpErrorKind::CommandRefused, reply.joined(), reply.code);
                return OpenResult::Failed;
            } else {
                sawFinal = true;  // 226 before we accepted: the data waits in the backlog
                m_pushedBack = reply;
            }
        }
        if (fds[0].revents & POLLIN) {
            SocketAddress from;
            from.length = sizeof from.storage;
            Fd data(::accept4(listener.get(), reinterpret_cast<sockaddr*>(&from.storage),
                              &from.length, SOCK_CLOEXEC | SOCK_NONBLOCK));
            if (data.valid() && from.sameHost(m_peer)) {
                channel.socket = std::move(data);
            }
            // A connection from any other address is closed and we keep waiting.
        }
    }
    if (channel.socket.valid()) {
        return OpenResult::Ok;
    }
    // The server never connected: close the listener so its attempt fails, read its answer
    // to the command, and try again passively.
    listener.reset();
    if (!readFinalReply(reply)) {
        return OpenResult::Failed;
    }
    return m_control.valid() ? OpenResult::TryPassive : OpenResult::Failed;
}

// Passive mode: EPSV, else PASV; the data connection goes to the control connection's peer.
bool FtpSession::openPassive(const std::string& commandLine, DataChannel& channel) {
    FtpReply reply;
    std::optional<std::uint16_t> port;
    if (!m_epsvFailed) {
        if (!command("EPSV", reply)) {
            return false;
        }
        if (reply.code == 229) {
            port = parseEpsvPort(reply.lastText());
            if (!port) {
                return fail(FtpErrorKind::ReplyMalformed, "bad EPSV reply: " + reply.joined());
            }
        } else {
            m_epsvFailed = true;
        }
    }
    if (!port) {
        if (!command("PASV", reply)) {
            return false;
        }
        if (reply.code != 227) {
            return fail(FtpErrorKind::DataConnection, "PASV refused: " + reply.joined(),
                        reply.code);
        }
        port = parsePasvPort(reply.lastText());
        if (!port) {
            return fail(FtpErrorKind::ReplyMalformed, "bad PASV reply: " + reply.joined());
        }
    }
    SocketAddress target = m_peer;
    target.setPort(*port);
    WaitResult result;
    std::string error;
    channel.socket = connectTo(target, m_timeouts.connect, m_abortEvent.get(), result, error);
    if (!channel.socket.valid()) {
        if (result == WaitResult::Aborted) {
            return fatal(FtpErrorKind::Aborted, "aborted");
        }
        return fail(FtpErrorKind::DataConnection, "data connection failed: " + error);
    }
    if (!sendLine(commandLine) || !readReply(reply)) {
        return false;
    }
    if (!reply.isPreliminary()) {
        channel.socket.reset();
        if (reply.code == 425 || reply.code == 426) {
            return fail(FtpErrorKind::DataConnection, reply.joined(), reply.code);
        }
        return fail(FtpErrorKind::CommandRefused, reply.joined(), reply.code);
    }
    channel.announcedSize = parseAnnouncedSize(reply.lastText());
    return true;
}

// Waits until the data connection is ready for `events`, watching the control connection
// meanwhile: a server may refuse the command (550) on the control connection while the data
// connection it opened at PORT time stays silent. False with the error set otherwise.
bool FtpSession::waitOnData(DataChannel& channel, short events, const char* what) {
    while (true) {
        pollfd fds[3] = {{channel.socket.get(), events, 0},
                         {m_abortEvent.get(), POLLIN, 0},
                         {channel.finalSeen ? -1 : m_control.get(), POLLIN, 0}};
        int n = ::poll(fds, 3, static_cast<int>(m_timeouts.transfer.count()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return fatal(FtpErrorKind::ConnectionClosed, std::strerror(errno));
        }
        if (fds[1].revents & POLLIN) {
            return fatal(FtpErrorKind::Aborted, "aborted");
        }
        if (n == 0) {
            return fatal(FtpErrorKind::Timeout, std::string("timed out waiting for ") + what);
        }
        if (fds[0].revents != 0) {
            return true;
        }
        FtpReply reply;
        if (!readReply(reply)) {
            return false;
        }
        if (reply.isPreliminary()) {
            if (!channel.announcedSize) {
                channel.announcedSize = parseAnnouncedSize(reply.lastText());
            }
        } else if (reply.code / 100 == 2) {
            channel.finalSeen = true;  // the rest of the data is still on its way
            m_pushedBack = std::move(reply);
        } else {
            channel.socket.reset();
            return fail(reply.code == 425 || reply.code == 426 ? FtpErrorKind::TransferIncomplete
                                                               : FtpErrorKind::CommandRefused,
                        reply.joined(), reply.code);
        }
    }
}

// After the data is moved: the server's final reply must confirm the whole transfer.
bool FtpSession::finishTransfer(DataChannel& channel, std::uint64_t received, bool checkSize) {
    channel.socket.reset();
    FtpReply reply;
    if (!readFinalReply(reply, &channel.announcedSize)) {
        return false;
    }
    if (reply.code != 226 && reply.code != 250) {
        return fail(FtpErrorKind::TransferIncomplete, reply.joined(), reply.code);
    }
    if (checkSize && channel.announcedSize && received < *channel.announcedSize) {
        return fail(FtpErrorKind::TransferIncomplete,
                    "received " + std::to_string(received) + " of " +
                        std::to_string(*channel.announcedSize) + " bytes");
    }
    return true;
}

bool FtpSession::list(std::string_view directory, std::vector<RemoteEntry>& entries) {
    if (!ready()) {
        return false;
    }
    std::optional<std::string> wire = toWire(directory);
    if (!wire) {
        return false;
    }
    bool mlsd = usesMlsd();
    std::string commandLine = mlsd ? "MLSD" : "LIST";
    if (!wire->empty()) {
        commandLine += " " + *wire;
    }
    DataChannel channel;
    if (!openData(commandLine, channel)) {
        return false;
    }
    // Lines are parsed as they arrive, so a 100 000-entry listing is never held as text.
    std::string pending;
    std::vector<char> buffer(256 * 1024);
    bool skipping = false;  // inside an over-long line
    auto takeLine = [&](std::string_view line) {
        std::optional<RemoteEntry> entry = mlsd ? parseMlsdLine(line) : parseListLine(line);
        if (entry) {
            entry->name = fromWire(entry->name);
            entries.push_back(std::move(*entry));
        }
    };
    m_bytes.store(0);
    while (true) {
        ssize_t n = ::recv(channel.socket.get(), buffer.data(), buffer.size(), 0);
        if (n > 0) {
            m_bytes.fetch_add(static_cast<std::uint64_t>(n), std::memory_order_relaxed);
            std::string_view chunk(buffer.data(), static_cast<std::size_t>(n));
            while (!chunk.empty()) {
                std::size_t newline = chunk.find('\n');
                std::string_view piece = chunk.substr(0, newline);
                if (!skipping) {
                    pending.append(piece);
                }
                if (newline == std::string_view::npos) {
                    if (pending.size() > kMaxListLine) {
                        pending.clear();
                        skipping = true;
                    }
                    break;
                }
                if (!skipping) {
                    takeLine(pending);
                }
                pending.clear();
                skipping = false;
                chunk.remove_prefix(newline + 1);
            }
            continue;
        }
        if (n == 0) {
            break;
        }
        if (errno != EAGAIN && errno != EINTR) {
            finishTransfer(channel, 0, false);
            return fail(FtpErrorKind::TransferIncomplete, "listing connection failed");
        }
        if (!waitOnData(channel, POLLIN, "listing data")) {
            return false;
        }
    }
    if (!pending.empty() && !skipping) {
        takeLine(pending);
    }
    return finishTransfer(channel, 0, false);
}

bool FtpSession::beginTransfer(std::string_view verb, std::string_view remotePath,
                               DataChannel& channel) {
    if (!ready()) {
        return false;
    }
    std::optional<std::string> wire = toWire(remotePath);
    if (!wire) {
        return false;
    }
    m_bytes.store(0);
    return openData(std::string(verb) + " " + *wire, channel);
}

bool FtpSession::retrieve(std::string_view remotePath, int fd) {
    DataChannel channel;
    if (!beginTransfer("RETR", remotePath, channel)) {
        return false;
    }
    std::unique_ptr<char[]> buffer(new char[kTransferBuffer]);
    std::uint64_t received = 0;
    while (true) {
        ssize_t n = ::recv(channel.socket.get(), buffer.get(), kTransferBuffer, 0);
        if (n > 0) {
            std::size_t written = 0;
            while (written < static_cast<std::size_t>(n)) {
                ssize_t w = ::write(fd, buffer.get() + written, n - written);
                if (w < 0 && errno == EINTR) {
                    continue;
                }
                if (w <= 0) {
                    fatal(FtpErrorKind::LocalFile,
                          std::string("cannot write the local file: ") + std::strerror(errno));
                    return false;
                }
                written += static_cast<std::size_t>(w);
            }
            received += static_cast<std::uint64_t>(n);
            m_bytes.store(received, std::memory_order_relaxed);
            continue;
        }
        if (n == 0) {
            break;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN) {
            // Reset by the server: the data is cut short whatever the control says.
            channel.socket.reset();
            FtpReply reply;
            readFinalReply(reply);
            return fail(FtpErrorKind::TransferIncomplete,
                        std::string("data connection broke: ") + std::strerror(errno));
        }
        if (!waitOnData(channel, POLLIN, "file data")) {
            return false;
        }
    }
    return finishTransfer(channel, received, true);
}

namespace {

// Reads a local file into the data connection, one step at a time. sendfile moves file pages
// to the socket without copying them through our buffers; what it cannot send (pipes and
// files of some file systems) is copied through a buffer instead.
class FileSender {
public:
    explicit FileSender(int fd) : m_fd(fd) {}

    // Bytes sent by this step; 0 at the end of the file; -1 with errno set on failure, where
    // localFailure() tells a read error of the file from a failure of the socket.
    ssize_t step(int socket) {
        m_localFailure = false;
        if (!m_copying) {
            const ssize_t n = ::sendfile(socket, m_fd, nullptr, kTransferBuffer * 4);
            if (n >= 0 || (errno != EINVAL && errno != ENOSYS)) {
                return n;
            }
            m_copying = true;
            m_buffer.reset(new char[kTransferBuffer]);
        }
        if (m_offset == m_pending) {
            const ssize_t got = refill();
            if (got <= 0) {
                m_localFailure = got < 0 && errno != EINTR;
                return got;  // 0: the end of the file; -1 with errno set
            }
        }
        const ssize_t n =
            ::send(socket, m_buffer.get() + m_offset, m_pending - m_offset, MSG_NOSIGNAL);
        if (n > 0) {
            m_offset += static_cast<std::size_t>(n);
        }
        return n;
    }

    bool localFailure() const { return m_localFailure; }

private:
    ssize_t refill() {
        const ssize_t got = ::read(m_fd, m_buffer.get(), kTransferBuffer);
        m_offset = 0;
        m_pending = got > 0 ? static_cast<std::size_t>(got) : 0;
        return got;
    }

    int m_fd;
    bool m_copying = false;
    bool m_localFailure = false;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_pending = 0;
    std::size_t m_offset = 0;
};

}  // namespace

bool FtpSession::sendFileData(DataChannel& channel, int fd, std::uint64_t& sent) {
    FileSender sender(fd);
    while (true) {
        const ssize_t n = sender.step(channel.socket.get());
        if (n > 0) {
            sent += static_cast<std::uint64_t>(n);
            m_bytes.store(sent, std::memory_order_relaxed);
            continue;
        }
        if (n == 0) {
            return true;  // end of the local file
        }
        if (errno == EINTR) {
            continue;
        }
        if (sender.localFailure()) {
            return fatal(FtpErrorKind::LocalFile,
                         std::string("cannot read the local file: ") + std::strerror(errno));
        }
        if (errno == EAGAIN) {
            if (!waitOnData(channel, POLLOUT, "the data connection")) {
                return false;
            }
            continue;
        }
        channel.socket.reset();
        FtpReply reply;
        readFinalReply(reply);
        return fail(FtpErrorKind::TransferIncomplete,
                    std::string("data connection broke: ") + std::strerror(errno));
    }
}

bool FtpSession::store(int fd, std::string_view remotePath) {
    DataChannel channel;
    if (!beginTransfer("STOR", remotePath, channel)) {
        return false;
    }
    std::uint64_t sent = 0;
    if (!sendFileData(channel, fd, sent)) {
        return false;
    }
    // Closing our side tells the server the file is complete.
    ::shutdown(channel.socket.get(), SHUT_WR);
    return finishTransfer(channel, sent, false);
}

bool FtpSession::deleteFile(std::string_view remotePath) {
    return simpleCommand("DELE", remotePath, 2);
}

bool FtpSession::removeDirectory(std::string_view remotePath) {
    return simpleCommand("RMD", remotePath, 2);
}

bool FtpSession::makeDirectory(std::string_view remotePath) {
    return simpleCommand("MKD", remotePath, 2);
}

bool FtpSession::changeDirectory(std::string_view remotePath) {
    return simpleCommand("CWD", remotePath, 2);
}

bool FtpSession::rename(std::string_view from, std::string_view to) {
    if (!ready()) {
        return false;
    }
    std::optional<std::string> wireTo = toWire(to);
    if (!wireTo) {
        return false;
    }
    if (wireTo->empty()) {
        return fail(FtpErrorKind::InvalidArgument, "empty path");
    }
    if (!simpleCommand("RNFR", from, 3)) {
        return false;
    }
    FtpReply reply;
    if (!command("RNTO " + *wireTo, reply)) {
        return false;
    }
    if (reply.code / 100 != 2) {
        return fail(FtpErrorKind::CommandRefused, reply.joined(), reply.code);
    }
    return true;
}

std::optional<std::string> FtpSession::printDirectory() {
    if (!ready()) {
        return std::nullopt;
    }
    FtpReply reply;
    if (!command("PWD", reply)) {
        return std::nullopt;
    }
    if (reply.code != 257) {
        fail(FtpErrorKind::CommandRefused, reply.joined(), reply.code);
        return std::nullopt;
    }
    const std::string& first = reply.lines.front();
    std::optional<std::string> path = parsePwdPath(first.size() > 4 ? first.substr(4) : "");
    if (!path) {
        fail(FtpErrorKind::ReplyMalformed, "bad PWD reply: " + reply.joined());
        return std::nullopt;
    }
    return fromWire(*path);
}

}  // namespace lumaro::ftp_session
