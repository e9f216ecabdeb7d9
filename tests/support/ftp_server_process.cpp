#include "support/ftp_server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

extern char** environ;

namespace lumaro::test {
namespace {

// The server: serves argv[1], limits connections per address to argv[2] (0 = none),
// refuses active mode when argv[3] is 1, listens on address argv[4], prints its port on
// stdout, then runs until killed.
constexpr const char* kPyftpdlibScript = R"PY(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
root, limit, refuse_active, address = sys.argv[1], int(sys.argv[2]), sys.argv[3] == '1', sys.argv[4]
auth = DummyAuthorizer()
auth.add_user('lumaro', 'secret', root, perm='elradfmwMT')
auth.add_anonymous(root, perm='elradfmwMT')
class Handler(FTPHandler):
    def ftp_PORT(self, line):
        if refuse_active:
            self.respond('500 Active mode is off.')
        else:
            FTPHandler.ftp_PORT(self, line)
    def ftp_EPRT(self, line):
        if refuse_active:
            self.respond('500 Active mode is off.')
        else:
            FTPHandler.ftp_EPRT(self, line)
Handler.authorizer = auth
Handler.use_encoding = 'utf8'
Handler.timeout = 60
server = FTPServer((address, 0), Handler)
server.max_cons_per_ip = limit
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
)PY";

pid_t spawn(const std::vector<std::string>& args, int stdoutFd, const std::string& logPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    }
    posix_spawn_file_actions_addopen(&actions, 2, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    // A process group of its own, so that stopping it also ends the per-session children
    // vsftpd forks.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Ends the server and every process of its group (the group we gave it at spawn).
void stop(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    ::kill(-pid, SIGTERM);
    bool ended = false;
    for (int i = 0; i < 50 && !ended; ++i) {
        ended = ::waitpid(pid, nullptr, WNOHANG) == pid;
        if (!ended) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ::kill(-pid, SIGKILL);
    if (!ended) {
        ::waitpid(pid, nullptr, 0);
    }
}

}  // namespace

std::uint16_t freeLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool waitForListener(std::uint16_t port, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        if (ok) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::unique_ptr<FtpServerProcess> FtpServerProcess::startPyftpdlib(const std::string& root,
                                                                   const std::string& workDir,
                                                                   const ServerOptions& options,
                                                                   std::string& error) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = "pipe failed";
        return nullptr;
    }
    // pyftpdlib is installed for the system interpreter only.
    pid_t pid = spawn({"/usr/bin/python3", "-c", kPyftpdlibScript, root,
                       std::to_string(options.maxConnectionsPerIp),
                       options.refuseActive ? "1" : "0", options.address},
                      pipeFds[1], workDir + "/pyftpdlib.log");
    ::close(pipeFds[1]);
    if (pid < 0) {
        ::close(pipeFds[0]);
        error = "cannot start /usr/bin/python3";
        return nullptr;
    }
    std::string line;
    pollfd p{pipeFds[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&p, 1, 10000) > 0) {
        char buffer[64];
        ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        line.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int port = std::atoi(line.c_str());
    if (port <= 0 || port > 65535) {
        stop(pid);
        error = "pyftpdlib did not start; see " + workDir + "/pyftpdlib.log";
        return nullptr;
    }
    return std::unique_ptr<FtpServerProcess>(
        new FtpServerProcess(pid, static_cast<std::uint16_t>(port), "lumaro", "secret", root, ""));
}

std::unique_ptr<FtpServerProcess> FtpServerProcess::startVsftpd(const std::string& root,
                                                                const std::string& workDir,
                                                                const ServerOptions& options,
                                                                std::string& error) {
    std::string emptyDir = workDir + "/vsftpd-empty";
    ::mkdir(emptyDir.c_str(), 0755);
    const bool privileged = ::geteuid() == 0;
    std::string area = root + "/pub";
    ::mkdir(area.c_str(), 0755);
    ::chmod(root.c_str(), 0755);
    if (privileged) {
        // Anonymous sessions work as user "ftp" inside a chroot whose root they may not write.
        passwd* ftpUser = ::getpwnam("ftp");
        if (ftpUser == nullptr || ::chown(area.c_str(), ftpUser->pw_uid, ftpUser->pw_gid) != 0) {
            error = "vsftpd needs the system user ftp";
            return nullptr;
        }
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::uint16_t port = freeLoopbackPort();
        std::uint16_t pasvMin = freeLoopbackPort();
        std::string config = workDir + "/vsftpd.conf";
        std::ofstream out(config, std::ios::trunc);
        out << "listen=YES\nlisten_ipv6=NO\nbackground=NO\n"
            << "listen_address=127.0.0.1\nlisten_port=" << port << "\n"
            << "secure_chroot_dir=" << emptyDir
            << "\n"
            // Without root: run as whoever started the test, without chroot.
            << (privileged ? "" : "run_as_launching_user=YES\n")
            << "anonymous_enable=YES\nlocal_enable=NO\nno_anon_password=YES\n"
            << "anon_root=" << root << "\n"
            << "write_enable=YES\nanon_upload_enable=YES\nanon_mkdir_write_enable=YES\n"
            << "anon_other_write_enable=YES\nanon_world_readable_only=NO\nanon_umask=022\n"
            << "pasv_enable=YES\npasv_min_port=" << pasvMin << "\npasv_max_port=" << pasvMin + 50
            << "\nport_enable=" << (options.refuseActive ? "NO" : "YES")
            << "\nconnect_from_port_20=NO\nseccomp_sandbox=NO\n"
            << "xferlog_enable=NO\nmax_per_ip=0\nmax_clients=0\n"
            << "utf8_filesystem=" << (options.utf8 ? "YES" : "NO") << "\n";
        out.close();
        pid_t pid = spawn({"/usr/sbin/vsftpd", config}, -1, workDir + "/vsftpd.log");
        if (pid < 0) {
            error = "cannot start /usr/sbin/vsftpd";
            return nullptr;
        }
        if (waitForListener(port, 5000)) {
            std::string remote = privileged ? std::string("/pub") : area;
            return std::unique_ptr<FtpServerProcess>(
                new FtpServerProcess(pid, port, "anonymous", "", area, remote));
        }
        stop(pid);  // the port was taken meanwhile; try another
    }
    error = "vsftpd did not start; see " + workDir + "/vsftpd.log";
    return nullptr;
}

FtpServerProcess::~FtpServerProcess() {
    stop(m_pid);
}

}  // namespace lumaro::test
