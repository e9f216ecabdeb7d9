#include "ftp/ftp_client.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "ftp/download_temp_path.h"
#include "platform/ftp_session/ftp_session.h"
#include "platform/ftp_session/list_pattern.h"
#include "platform/text/encoding.h"
#include "platform/text/wildcard.h"

namespace lumaro::ftp {

using ftp_session::FtpError;
using ftp_session::FtpErrorKind;
using ftp_session::FtpSession;
using ftp_session::RemoteEntry;

struct FtpClient::Shared {
    std::mutex mutex;  // guards every member below
    ftp_session::FtpTimeouts timeouts;
    bool passive = false;
    bool connected = false;
    std::uint64_t generation = 0;  // changes on every connect and disconnect
    const std::thread::id owner = std::this_thread::get_id();  // the constructing thread
    std::string host, user, password;
    std::uint16_t port = 21;
    std::string currentDirectory;         // the primary's, empty when unknown
    std::shared_ptr<FtpSession> primary;  // for abort() without the primary lock
    std::vector<std::weak_ptr<FtpSession>> workers;
    // Non-UTF-8 names one connection listed, so that every connection sends them back alike.
    const std::shared_ptr<ftp_session::RawNameBook> rawNames =
        std::make_shared<ftp_session::RawNameBook>();
    FtpError lastError;
};

namespace {

// The connections one thread holds, one per FtpClient it used. Closed at thread end; a
// client destroyed first only leaves expired owners behind.
struct WorkerSlot {
    std::weak_ptr<FtpClient::Shared> owner;
    std::uint64_t generation = 0;
    std::shared_ptr<FtpSession> session;  // null after a refused login in this generation
};

struct WorkerSlots {
    std::vector<WorkerSlot> slots;
    ~WorkerSlots() {
        for (WorkerSlot& slot : slots) {
            if (slot.session && !slot.owner.expired()) {
                slot.session->close();
            }
        }
    }
};

thread_local WorkerSlots t_workers;

bool sameOwner(const std::weak_ptr<FtpClient::Shared>& a,
               const std::shared_ptr<FtpClient::Shared>& b) {
    return !a.owner_before(b) && !b.owner_before(a);
}

// Remote path joined onto a directory: "/pub" + "a.txt" → "/pub/a.txt".
std::string joinRemote(const std::string& directory, const std::string& path) {
    if (path.empty()) {
        return directory;
    }
    if (path[0] == '/' || directory.empty()) {
        return path;
    }
    return directory.back() == '/' ? directory + path : directory + "/" + path;
}

// Local paths are the system's GB18030 texts; the Linux file system takes UTF-8.
std::string localFsPath(const std::string& path) {
    return text::toUtf8(path);
}

}  // namespace

FtpClient::FtpClient(ftp_session::FtpTimeouts timeouts) : m_shared(std::make_shared<Shared>()) {
    m_shared->timeouts = timeouts;
}

FtpClient::~FtpClient() {
    disconnect();
}

void FtpClient::setPassive(bool passive) {
    std::lock_guard lock(m_shared->mutex);
    m_shared->passive = passive;
}

bool FtpClient::isConnected() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->connected;
}

FtpError FtpClient::lastError() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->lastError;
}

bool FtpClient::record(bool ok, const FtpSession& session) {
    std::lock_guard lock(m_shared->mutex);
    m_shared->lastError = ok ? FtpError{} : session.lastError();
    return ok;
}

bool FtpClient::recordFailure(FtpErrorKind kind, std::string message) {
    std::lock_guard lock(m_shared->mutex);
    m_shared->lastError = FtpError{kind, std::move(message), 0};
    return false;
}

bool FtpClient::onOwnerThread() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->owner == std::this_thread::get_id();
}

bool FtpClient::connect(const std::string& host, const std::string& user,
                        const std::string& password, int port) {
    disconnect();
    if (port < 0 || port > 65535) {
        return recordFailure(FtpErrorKind::InvalidArgument, "port out of range");
    }
    std::lock_guard primaryLock(m_primaryMutex);
    ftp_session::FtpTimeouts timeouts;
    bool passive;
    {
        std::lock_guard lock(m_shared->mutex);
        timeouts = m_shared->timeouts;
        passive = m_shared->passive;
    }
    auto session = std::make_shared<FtpSession>(timeouts);
    session->setPassiveOnly(passive);
    session->setRawNameBook(m_shared->rawNames);
    {
        // Published before connecting, so that disconnect() from another thread can abort a
        // connect that hangs.
        std::lock_guard lock(m_shared->mutex);
        m_shared->primary = session;
    }
    std::uint16_t wirePort = static_cast<std::uint16_t>(port == 0 ? 21 : port);
    if (!session->connect(host, wirePort, user, password)) {
        std::lock_guard lock(m_shared->mutex);
        m_shared->primary.reset();
        m_shared->lastError = session->lastError();
        return false;
    }
    std::string directory = session->printDirectory().value_or("");
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->primary != session) {  // disconnected meanwhile
        m_shared->lastError = FtpError{FtpErrorKind::Aborted, "disconnected during connect", 0};
        return false;
    }
    m_primary = session;
    m_shared->connected = true;
    ++m_shared->generation;
    m_shared->host = host;
    m_shared->user = user;
    m_shared->password = password;
    m_shared->port = wirePort;
    m_shared->currentDirectory = directory;
    m_shared->lastError = {};
    return true;
}

void FtpClient::disconnect() {
    SessionPtr primary;
    std::vector<std::weak_ptr<FtpSession>> workers;
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->connected = false;
        ++m_shared->generation;
        primary = std::move(m_shared->primary);
        workers.swap(m_shared->workers);
        m_shared->currentDirectory.clear();
    }
    for (const auto& weak : workers) {
        if (SessionPtr worker = weak.lock()) {
            worker->abort();
        }
    }
    // An idle primary says QUIT; a busy one is aborted so its operation ends at once.
    std::unique_lock primaryLock(m_primaryMutex, std::try_to_lock);
    if (!primaryLock.owns_lock()) {
        if (primary) {
            primary->abort();
        }
        primaryLock.lock();
    }
    if (m_primary) {
        m_primary->close();
        m_primary.reset();
    }
}

// Runs `op(session)` on the primary connection under its lock.
template <typename Op>
bool FtpClient::onPrimary(Op&& op) {
    std::lock_guard lock(m_primaryMutex);
    if (!m_primary) {
        return recordFailure(FtpErrorKind::NotConnected, "not connected");
    }
    return record(op(*m_primary), *m_primary);
}

// This thread's own connection for this client, opened on first use. Null when not
// connected, on the owner thread, or when the server refused another login.
FtpClient::SessionPtr FtpClient::workerSession() {
    std::uint64_t generation;
    ftp_session::FtpTimeouts timeouts;
    bool passive;
    std::string host, user, password;
    std::uint16_t port;
    {
        std::lock_guard lock(m_shared->mutex);
        if (!m_shared->connected || m_shared->owner == std::this_thread::get_id()) {
            return nullptr;
        }
        generation = m_shared->generation;
        timeouts = m_shared->timeouts;
        passive = m_shared->passive;
        host = m_shared->host;
        user = m_shared->user;
        password = m_shared->password;
        port = m_shared->port;
    }
    auto& slots = t_workers.slots;
    std::erase_if(slots, [](const WorkerSlot& s) { return s.owner.expired(); });
    auto it = std::find_if(slots.begin(), slots.end(),
                           [&](const WorkerSlot& s) { return sameOwner(s.owner, m_shared); });
    if (it == slots.end()) {
        slots.push_back(WorkerSlot{m_shared, 0, nullptr});
        it = slots.end() - 1;
    } else if (it->generation == generation) {
        if (!it->session || it->session->isOpen()) {
            return it->session;  // the open connection, or null after a refused login
        }
    }
    auto session = std::make_shared<FtpSession>(timeouts);
    session->setPassiveOnly(passive);
    session->setRawNameBook(m_shared->rawNames);
    bool ok = session->connect(host, port, user, password);
    it->generation = generation;
    it->session = ok ? session : nullptr;
    if (!ok) {
        return nullptr;
    }
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->generation != generation) {
        session->abort();  // disconnected while we logged in
        it->session = nullptr;
        return nullptr;
    }
    std::erase_if(m_shared->workers, [](const auto& w) { return w.expired(); });
    m_shared->workers.push_back(session);
    return session;
}

std::string FtpClient::absolutePath(const std::string& path) const {
    std::lock_guard lock(m_shared->mutex);
    return joinRemote(m_shared->currentDirectory, path);
}

// A transfer on this thread's own connection when it is a worker that has one, else on the
// primary. `op(session, path)` gets the path to use on that connection.
template <typename Op>
bool FtpClient::transfer(const std::string& remotePath, Op&& op) {
    if (!onOwnerThread()) {
        std::string path = absolutePath(remotePath);
        if (!path.empty() && path[0] == '/') {
            if (SessionPtr session = workerSession()) {
                return record(op(*session, path), *session);
            }
        }
    }
    return onPrimary([&](FtpSession& s) { return op(s, remotePath); });
}

bool FtpClient::listEntries(const std::string& pattern, std::vector<RemoteEntry>& entries) {
    entries.clear();
    if (!isConnected()) {
        return recordFailure(FtpErrorKind::NotConnected, "not connected");
    }
    // "/dir/*.*" loses its last two characters and becomes "/dir/*": every name.
    std::string effective = pattern;
    if (effective.size() >= 3 && effective.compare(effective.size() - 3, 3, "*.*") == 0) {
        effective.resize(effective.size() - 2);
    }
    ftp_session::ListPattern parts = ftp_session::splitListPattern(effective);
    std::vector<RemoteEntry> all;
    auto listOn = [&](FtpSession& session, const std::string& directory) {
        all.clear();
        return record(session.list(directory, all), session);
    };
    bool ok;
    std::unique_lock primaryLock(m_primaryMutex, std::defer_lock);
    if (!onOwnerThread() && !primaryLock.try_lock()) {
        // The primary is busy: a worker lists on its own connection rather than wait.
        std::string directory = absolutePath(parts.directory);
        SessionPtr session = !directory.empty() && directory[0] == '/' ? workerSession() : nullptr;
        if (session) {
            ok = listOn(*session, directory);
        } else {
            primaryLock.lock();
            ok = m_primary ? listOn(*m_primary, parts.directory)
                           : recordFailure(FtpErrorKind::NotConnected, "not connected");
        }
    } else {
        if (!primaryLock.owns_lock()) {
            primaryLock.lock();
        }
        ok = m_primary ? listOn(*m_primary, parts.directory)
                       : recordFailure(FtpErrorKind::NotConnected, "not connected");
    }
    if (!ok) {
        return false;
    }
    for (RemoteEntry& entry : all) {
        if (parts.namePattern.empty() || text::matchesWildcard(parts.namePattern, entry.name)) {
            entries.push_back(std::move(entry));
        }
    }
    return true;
}

int FtpClient::listDirectory(const std::string& pattern, std::vector<std::string>& names,
                             std::vector<std::uint64_t>* sizes) {
    names.clear();
    if (sizes) {
        sizes->clear();
    }
    std::vector<RemoteEntry> entries;
    if (!listEntries(pattern, entries)) {
        return 0;
    }
    for (RemoteEntry& entry : entries) {
        names.push_back(std::move(entry.name));
        if (sizes) {
            sizes->push_back(entry.size);
        }
    }
    return static_cast<int>(names.size());
}

bool FtpClient::downloadFile(const std::string& remotePath, const std::string& localPath) {
    if (!isConnected()) {
        return recordFailure(FtpErrorKind::NotConnected, "not connected");
    }
    const std::string finalPath = localFsPath(localPath);
    const std::string tempPath = localFsPath(downloadTempPath(localPath));
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return recordFailure(FtpErrorKind::LocalFile,
                             "cannot create " + tempPath + ": " + std::strerror(errno));
    }
    bool ok = transfer(
        remotePath, [&](FtpSession& s, const std::string& path) { return s.retrieve(path, fd); });
    if (::close(fd) != 0 && ok) {
        ok = recordFailure(FtpErrorKind::LocalFile, std::string("close: ") + std::strerror(errno));
    }
    if (ok && ::rename(tempPath.c_str(), finalPath.c_str()) != 0) {
        ok = recordFailure(FtpErrorKind::LocalFile,
                           "cannot rename onto " + finalPath + ": " + std::strerror(errno));
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
    }
    return ok;
}

bool FtpClient::uploadFile(const std::string& localPath, const std::string& remotePath) {
    if (!isConnected()) {
        return recordFailure(FtpErrorKind::NotConnected, "not connected");
    }
    const std::string path = localFsPath(localPath);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return recordFailure(FtpErrorKind::LocalFile,
                             "cannot open " + path + ": " + std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return recordFailure(FtpErrorKind::LocalFile, path + " is not a regular file");
    }
    bool ok =
        transfer(remotePath, [&](FtpSession& s, const std::string& p) { return s.store(fd, p); });
    ::close(fd);
    return ok;
}

bool FtpClient::deleteFile(const std::string& remotePath) {
    return onPrimary([&](FtpSession& s) { return s.deleteFile(remotePath); });
}

bool FtpClient::removeDirectory(const std::string& remotePath) {
    return onPrimary([&](FtpSession& s) { return s.removeDirectory(remotePath); });
}

bool FtpClient::renameFile(const std::string& oldPath, const std::string& newPath) {
    return onPrimary([&](FtpSession& s) { return s.rename(oldPath, newPath); });
}

bool FtpClient::createDirectory(const std::string& remotePath) {
    return onPrimary([&](FtpSession& s) { return s.makeDirectory(remotePath); });
}

bool FtpClient::setCurrentDirectory(const std::string& remotePath) {
    return onPrimary([&](FtpSession& s) {
        if (!s.changeDirectory(remotePath)) {
            return false;
        }
        // Remember where the primary is, so worker connections resolve relative paths alike.
        std::string directory = s.printDirectory().value_or("");
        std::lock_guard lock(m_shared->mutex);
        m_shared->currentDirectory = directory;
        return true;
    });
}

std::string FtpClient::getCurrentDirectory() {
    std::string directory;
    onPrimary([&](FtpSession& s) {
        std::optional<std::string> pwd = s.printDirectory();
        directory = pwd.value_or("");
        return pwd.has_value();
    });
    return directory;
}

}  // namespace lumaro::ftp
