#include "platform/ftp_session/ftp_error.h"

namespace lumaro::ftp_session {

const char* errorKindName(FtpErrorKind kind) {
    switch (kind) {
        case FtpErrorKind::None:
            return "none";
        case FtpErrorKind::NotConnected:
            return "not connected";
        case FtpErrorKind::InvalidArgument:
            return "invalid argument";
        case FtpErrorKind::ConnectFailed:
            return "connect failed";
        case FtpErrorKind::LoginRefused:
            return "login refused";
        case FtpErrorKind::Timeout:
            return "timeout";
        case FtpErrorKind::ConnectionClosed:
            return "connection closed";
        case FtpErrorKind::ReplyMalformed:
            return "reply malformed";
        case FtpErrorKind::ReplyTooLong:
            return "reply too long";
        case FtpErrorKind::CommandRefused:
            return "command refused";
        case FtpErrorKind::DataConnection:
            return "no data connection";
        case FtpErrorKind::TransferIncomplete:
            return "transfer incomplete";
        case FtpErrorKind::LocalFile:
            return "local file error";
        case FtpErrorKind::Aborted:
            return "aborted";
    }
    return "unknown";
}

}  // namespace lumaro::ftp_session
