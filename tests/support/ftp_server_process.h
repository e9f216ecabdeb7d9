#pragma once
// Real FTP servers for tests, each a child process on 127.0.0.1 with a temporary root,
// stopped by its PID when the object goes away (never left running).
//
// pyftpdlib: MLSD and UTF-8 names; user "lumaro", password "secret" (and anonymous, read and
//   write), runs as the test's user. vsftpd: LIST only; anonymous login with write rights,
//   standalone, run as the launching user; names travel as raw bytes unless utf8 is asked for.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>

namespace lumaro::test {

struct ServerOptions {
    int maxConnectionsPerIp = 0;  // pyftpdlib only; 0 = no limit
    bool utf8 = false;            // vsftpd only: utf8_filesystem (announces UTF8)
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
    const char* user() const { return m_user; }
    const char* password() const { return m_password; }

private:
    FtpServerProcess(pid_t pid, std::uint16_t port, const char* user, const char* password)
        : m_pid(pid), m_port(port), m_user(user), m_password(password) {}

    pid_t m_pid;
    std::uint16_t m_port;
    const char* m_user;
    const char* m_password;
};

// A TCP port on 127.0.0.1 that was free a moment ago (bound to port 0, then released).
std::uint16_t freeLoopbackPort();
// True once something accepts TCP connections on 127.0.0.1:port, within `timeoutMs`.
bool waitForListener(std::uint16_t port, int timeoutMs);

}  // namespace lumaro::test
