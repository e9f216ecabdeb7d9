#pragma once
// Typed failure reasons of the FTP engine. The engine reports one of these with a message
// for logs and tests; FtpClient turns them into the plain false / 0 / empty results.

#include <string>

namespace lumaro::ftp_session {

enum class FtpErrorKind {
    None,
    NotConnected,        // no open control connection
    InvalidArgument,     // a path or name holding CR, LF or NUL, or an empty name
    ConnectFailed,       // host not resolved or TCP connect refused / timed out
    LoginRefused,        // USER/PASS not accepted
    Timeout,             // the peer stayed silent longer than the timeout allows
    ConnectionClosed,    // the control connection ended unexpectedly
    ReplyMalformed,      // a reply that breaks the protocol's rules
    ReplyTooLong,        // a reply line or reply over the length bound
    CommandRefused,      // the server answered with a 4xx/5xx code
    DataConnection,      // no data connection could be opened
    TransferIncomplete,  // the data ended before the announced size or without 226/250
    LocalFile,           // reading or writing the local file failed
    Aborted,             // abort() was called
};

struct FtpError {
    FtpErrorKind kind = FtpErrorKind::None;
    std::string message;
    int replyCode = 0;  // the server's code when kind is CommandRefused or LoginRefused

    explicit operator bool() const { return kind != FtpErrorKind::None; }
};

const char* errorKindName(FtpErrorKind kind);

}  // namespace lumaro::ftp_session
