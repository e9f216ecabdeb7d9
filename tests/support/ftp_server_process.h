#pragma once
// Real FTP servers for tests, each a child process on 127.0.0.1 with a temporary root,
// stopped by its PID when the object goes away (never left running).
//
// pyftpdlib: MLSD and UTF-8 names; user "lumaro", password "secret" (and anonymous, read and
//   write), runs as the test's user; the whole root is the writable area.
// vsftpd: LIST only; anonymous login with write rights, standalone; names travel as raw bytes
//   unless utf8 is asked for. Started by root it chroots into the root and works as user
//   "ftp", which may not own the root itself: the writable area is the folder "pub" in it.
//   Started by another user it runs as that user without chroot, so clients see real paths.
// Tests work inside writableArea() (local) which clients see as remoteArea().

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>

namespace lumaro::test {

struct ServerOptions {
    int maxConnectionsPerIp = 0;        // pyftpdlib only; 0 = no limit
    bool utf8 = false;                  // vsftpd only: utf8_filesystem (announces UTF8)
    bool refuseActive = false;          // PORT and EPRT answered with 500, so clients go passive
    const char* address = "127.0.0.1";  // pyftpdlib only: "::1" for IPv6
};

class FtpServerProcess {
public:
    // `root` is served; `workDir` holds the server's config and logs. Both must exist.
    // Returns null (with `error` set) when the server cannot be started.
    static std::unique_ptr<FtpServerProcess> startPyftpdlib(const std::string& root,
                                                            const std::string& workDir,
                                                            const ServerOptions& options,
                                                            std::string& error);
    static std::unique_ptr<FtpServerProcess> startVsftpd(const std::string& root,
                                                         const std::string& workDir,
                                                         const ServerOptions& options,
                                                         std::string& error);
    ~FtpServerProcess();
    FtpServerProcess(const FtpServerProcess&) = delete;
    FtpServerProcess& operator=(const FtpServerProcess&) = delete;

    std::uint16_t port() const { return m_port; }
    const std::string& writableArea() const { return m_localArea; }
    // "" when the area is the server's "/", else its remote path without a trailing "/".
    const std::string& remoteArea() const { return m_remoteArea; }
    const char* user() const { return m_user; }
    const char* password() const { return m_password; }

private:
    FtpServerProcess(pid_t pid, std::uint16_t port, const char* user, const char* password,
                     std::string localArea, std::string remoteArea)
        : m_pid(pid),
          m_port(port),
          m_user(user),
          m_password(password),
          m_localArea(std::move(localArea)),
          m_remoteArea(std::move(remoteArea)) {}

    pid_t m_pid;
    std::uint16_t m_port;
    const char* m_user;
    const char* m_password;
    std::string m_localArea;
    std::string m_remoteArea;
};

// A TCP port on 127.0.0.1 that was free a moment ago (bound to port 0, then released).
std::uint16_t freeLoopbackPort();
// True once something accepts TCP connections on 127.0.0.1:port, within `timeoutMs`.
bool waitForListener(std::uint16_t port, int timeoutMs);

}  // namespace lumaro::test
