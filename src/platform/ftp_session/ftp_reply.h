#pragma once
// Framing of FTP control replies (RFC 959 section 4.2) and parsing of the replies whose
// text carries values (PASV, EPSV, PWD, FEAT). Pure functions and a pure byte framer:
// no I/O here, so every rule is tested with the bytes real servers send.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ftp_session/ftp_error.h"

namespace lumaro::ftp_session {

struct FtpReply {
    int code = 0;
    // Every line of the reply without its line end; the first and last carry the code.
    std::vector<std::string> lines;

    bool isPreliminary() const { return code >= 100 && code < 200; }
    bool isPositive() const { return code >= 200 && code < 400; }
    // The text after the code on the last line ("226 Transfer complete." → "Transfer complete.").
    std::string lastText() const;
    // All lines joined with "\n", for messages.
    std::string joined() const;
};

// Splits a byte stream from the control connection into replies. Bytes may arrive in any
// pieces; several replies may arrive in one piece (a 150 and its 226 together).
// Contract: single-threaded; once next() reports an error the framer stays failed.
class ReplyFramer {
public:
    enum class Status { NeedMore, Ready, Failed };

    void feed(std::string_view bytes);
    // Ready: `reply` holds the next complete reply. Failed: `error` says why.
    Status next(FtpReply& reply, FtpError& error);
    // True when bytes of an unfinished reply are buffered.
    bool hasPartial() const { return !m_buffer.empty(); }

private:
    Status fail(FtpErrorKind kind, std::string message, FtpError& error);

    std::string m_buffer;  // bytes not yet returned
    FtpError m_failure;
};

// "227 Entering Passive Mode (127,0,0,1,195,80)" → 50000. The address in the reply is not
// returned: data connections go to the control connection's peer. nullopt when any number
// is missing or outside 0..255, or the port is 0.
std::optional<std::uint16_t> parsePasvPort(std::string_view text);
// "229 Entering Extended Passive Mode (|||6446|)" → 6446; nullopt unless 1..65535.
std::optional<std::uint16_t> parseEpsvPort(std::string_view text);
// "257 \"/a \"\"b\"\"\" is the current directory" → /a "b". nullopt for an unclosed quote,
// a missing quote or control bytes inside the path.
std::optional<std::string> parsePwdPath(std::string_view text);
// Feature names of a FEAT reply in upper case: "211-Features:\r\n MLST type*;\r\n UTF8\r\n211 End"
// → {"MLST", "UTF8"}.
std::set<std::string> parseFeatures(const FtpReply& reply);

// "PORT 127,0,0,1,195,80" for an IPv4 address given as four bytes in network order.
std::string formatPortCommand(const std::uint8_t address[4], std::uint16_t port);
// "EPRT |2|::1|50000|" for an address in text form.
std::string formatEprtCommand(int protocol, std::string_view address, std::uint16_t port);

// "150 Opening BINARY mode data connection for f (1234 bytes)." → 1234, when the server says.
std::optional<std::uint64_t> parseAnnouncedSize(std::string_view text);

}  // namespace lumaro::ftp_session
