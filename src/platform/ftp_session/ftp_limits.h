#pragma once
// Every timeout and size bound of the FTP engine, named in one place.
// Timeouts measure silence: each wait for the peer restarts its clock whenever bytes move,
// so a transfer that keeps moving data never times out, however long it runs.

#include <chrono>
#include <cstddef>

namespace lumaro::ftp_session {

struct FtpTimeouts {
    std::chrono::milliseconds connect{15000};      // TCP connect of the control connection
    std::chrono::milliseconds reply{30000};        // silence while waiting for a reply
    std::chrono::milliseconds dataConnect{10000};  // active mode: wait for the server to connect
    std::chrono::milliseconds transfer{60000};     // silence on a data connection
};

// A reply line longer than this, or a whole (multi-line) reply longer than kMaxReplyBytes,
// fails the operation: no honest server sends that much on the control connection.
inline constexpr std::size_t kMaxReplyLine = 8192;
inline constexpr std::size_t kMaxReplyBytes = 256 * 1024;
// A listing line longer than this is skipped.
inline constexpr std::size_t kMaxListLine = 64 * 1024;
// Transfers move data in buffers of this size.
inline constexpr std::size_t kTransferBuffer = 1024 * 1024;
// How often a blocked wait wakes to look at the abort flag (abort also wakes it at once).
inline constexpr std::chrono::milliseconds kAbortCheck{200};

}  // namespace lumaro::ftp_session
