#include "platform/ftp_session/ftp_reply.h"

#include <charconv>

#include "platform/ftp_session/ftp_limits.h"

namespace lumaro::ftp_session {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "ddd " or "ddd-" at the start of a line; returns the code or 0.
int lineCode(std::string_view line, char& separator) {
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2])) {
        return 0;
    }
    separator = line.size() > 3 ? line[3] : ' ';
    if (separator != ' ' && separator != '-') {
        return 0;
    }
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

std::string_view stripLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

// Reads a decimal number at `pos`; advances pos. nullopt when there is no digit or it is huge.
std::optional<unsigned> readNumber(std::string_view s, std::size_t& pos) {
    std::size_t start = pos;
    while (pos < s.size() && isDigit(s[pos]) && pos - start < 6) {
        ++pos;
    }
    if (pos == start || (pos < s.size() && isDigit(s[pos]))) {
        return std::nullopt;
    }
    unsigned value = 0;
    std::from_chars(s.data() + start, s.data() + pos, value);
    return value;
}

}  // namespace

std::string FtpReply::lastText() const {
    if (lines.empty()) {
        return {};
    }
    const std::string& last = lines.back();
    return last.size() > 4 ? last.substr(4) : std::string();
}

std::string FtpReply::joined() const {
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty()) {
            out += '\n';
        }
        out += line;
    }
    return out;
}

void ReplyFramer::feed(std::string_view bytes) {
    m_buffer.append(bytes);
}

ReplyFramer::Status ReplyFramer::fail(FtpErrorKind kind, std::string message, FtpError& error) {
    m_failure = FtpError{kind, std::move(message), 0};
    error = m_failure;
    return Status::Failed;
}

ReplyFramer::Status ReplyFramer::next(FtpReply& reply, FtpError& error) {
    if (m_failure) {
        error = m_failure;
        return Status::Failed;
    }
    // Walk complete lines of the buffered reply. A reply is "ddd text" alone, or
    // "ddd-text" ... up to a line starting with the same "ddd ".
    std::size_t lineStart = 0;
    int code = 0;
    std::vector<std::string> lines;
    while (true) {
        std::size_t end = m_buffer.find('\n', lineStart);
        if (end == std::string::npos) {
            if (m_buffer.size() - lineStart > kMaxReplyLine) {
                return fail(FtpErrorKind::ReplyTooLong, "reply line too long", error);
            }
            if (lineStart > kMaxReplyBytes) {
                return fail(FtpErrorKind::ReplyTooLong, "reply too long", error);
            }
            return Status::NeedMore;
        }
        std::string_view line =
            stripLineEnd(std::string_view(m_buffer).substr(lineStart, end - lineStart));
        if (line.size() > kMaxReplyLine) {
            return fail(FtpErrorKind::ReplyTooLong, "reply line too long", error);
        }
        lineStart = end + 1;
        if (lineStart > kMaxReplyBytes) {
            return fail(FtpErrorKind::ReplyTooLong, "reply too long", error);
        }
        char separator = ' ';
        int thisCode = lineCode(line, separator);
        if (lines.empty()) {
            if (thisCode < 100 || thisCode > 599) {
                return fail(FtpErrorKind::ReplyMalformed,
                            "reply without a valid code: " + std::string(line.substr(0, 80)),
                            error);
            }
            code = thisCode;
            lines.emplace_back(line);
            if (separator == ' ') {
                break;
            }
            continue;
        }
        lines.emplace_back(line);
        if (thisCode == code && separator == ' ') {
            break;
        }
    }
    m_buffer.erase(0, lineStart);
    reply.code = code;
    reply.lines = std::move(lines);
    return Status::Ready;
}

std::optional<std::uint16_t> parsePasvPort(std::string_view text) {
    // Servers differ in what surrounds the numbers: "(h1,h2,h3,h4,p1,p2)", "=h1,...", or bare.
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (!isDigit(text[start]) || (start > 0 && isDigit(text[start - 1]))) {
            continue;
        }
        std::size_t pos = start;
        unsigned numbers[6];
        bool ok = true;
        for (int i = 0; i < 6 && ok; ++i) {
            std::optional<unsigned> n = readNumber(text, pos);
            if (!n || *n > 255) {
                ok = false;
                break;
            }
            numbers[i] = *n;
            if (i < 5) {
                if (pos >= text.size() || text[pos] != ',') {
                    ok = false;
                    break;
                }
                ++pos;
            }
        }
        if (!ok) {
            continue;
        }
        unsigned port = numbers[4] * 256 + numbers[5];
        if (port == 0) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(port);
    }
    return std::nullopt;
}

std::optional<std::uint16_t> parseEpsvPort(std::string_view text) {
    // "(|||port|)": the delimiter is any printable byte, the same four times.
    std::size_t open = text.find('(');
    if (open == std::string_view::npos || open + 5 >= text.size()) {
        return std::nullopt;
    }
    char d = text[open + 1];
    if (d < 33 || d > 126 || isDigit(d) || text[open + 2] != d || text[open + 3] != d) {
        return std::nullopt;
    }
    std::size_t pos = open + 4;
    std::optional<unsigned> port = readNumber(text, pos);
    if (!port || *port == 0 || *port > 65535 || pos + 1 >= text.size() || text[pos] != d ||
        text[pos + 1] != ')') {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*port);
}

std::optional<std::string> parsePwdPath(std::string_view text) {
    std::size_t open = text.find('"');
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    std::string path;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        char c = text[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return std::nullopt;
        }
        if (c == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                path += '"';
                ++i;
                continue;
            }
            return path;
        }
        path += c;
    }
    return std::nullopt;  // unclosed quote
}

std::set<std::string> parseFeatures(const FtpReply& reply) {
    std::set<std::string> features;
    if (reply.code != 211) {
        return features;
    }
    for (std::size_t i = 1; i + 1 < reply.lines.size(); ++i) {
        std::string_view line = reply.lines[i];
        std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            continue;
        }
        std::size_t end = line.find(' ', start);
        std::string name(line.substr(start, end == std::string_view::npos ? end : end - start));
        for (char& c : name) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        features.insert(name);
    }
    return features;
}

std::string formatPortCommand(const std::uint8_t address[4], std::uint16_t port) {
    std::string out = "PORT ";
    for (int i = 0; i < 4; ++i) {
        out += std::to_string(address[i]) + ",";
    }
    out += std::to_string(port >> 8) + "," + std::to_string(port & 0xff);
    return out;
}

std::string formatEprtCommand(int protocol, std::string_view address, std::uint16_t port) {
    return "EPRT |" + std::to_string(protocol) + "|" + std::string(address) + "|" +
           std::to_string(port) + "|";
}

std::optional<std::uint64_t> parseAnnouncedSize(std::string_view text) {
    // "(1234 bytes)" near the end of a 150 reply (vsftpd, proftpd, IIS say it this way).
    std::size_t bytes = text.rfind(" bytes)");
    if (bytes == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t open = text.rfind('(', bytes);
    if (open == std::string_view::npos || open + 1 == bytes) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data() + open + 1, text.data() + bytes, value);
    if (ec != std::errc() || ptr != text.data() + bytes) {
        return std::nullopt;
    }
    return value;
}

}  // namespace lumaro::ftp_session
