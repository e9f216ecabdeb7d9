#include "platform/ftp_session/list_parser.h"

#include <array>
#include <charconv>
#include <vector>

namespace lumaro::ftp_session {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    if (s.empty()) {
        return false;
    }
    for (char c : s) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> toNumber(std::string_view s) {
    std::uint64_t value = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    return value;
}

struct Token {
    std::string_view text;
    std::size_t end;  // offset just past the token in the line
};

// Splits on runs of spaces, keeping where each token ends so the name can be cut from the
// original line with its inner spaces intact.
std::vector<Token> tokenize(std::string_view line, std::size_t maxTokens) {
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (pos < line.size() && tokens.size() < maxTokens) {
        while (pos < line.size() && line[pos] == ' ') {
            ++pos;
        }
        if (pos >= line.size()) {
            break;
        }
        std::size_t start = pos;
        while (pos < line.size() && line[pos] != ' ') {
            ++pos;
        }
        tokens.push_back({line.substr(start, pos - start), pos});
    }
    return tokens;
}

bool isMonth(std::string_view s) {
    static constexpr std::array<std::string_view, 12> months = {
        "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    if (s.size() != 3) {
        return false;
    }
    for (std::string_view m : months) {
        bool same = true;
        for (int i = 0; i < 3; ++i) {
            char c = s[i];
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
            same = same && c == m[i];
        }
        if (same) {
            return true;
        }
    }
    return false;
}

bool isDay(std::string_view s) {
    if (s.empty() || s.size() > 2 || !allDigits(s)) {
        return false;
    }
    int day = s.size() == 1 ? s[0] - '0' : (s[0] - '0') * 10 + (s[1] - '0');
    return day >= 1 && day <= 31;
}

// "12:00" or "9:05"
bool isClock(std::string_view s) {
    std::size_t colon = s.find(':');
    return colon != std::string_view::npos && colon >= 1 && colon <= 2 &&
           allDigits(s.substr(0, colon)) && s.size() - colon - 1 == 2 &&
           allDigits(s.substr(colon + 1));
}

bool isYearOrClock(std::string_view s) {
    return (s.size() == 4 && allDigits(s)) || isClock(s);
}

// "2024-01-31"
bool isIsoDate(std::string_view s) {
    return s.size() == 10 && allDigits(s.substr(0, 4)) && s[4] == '-' &&
           allDigits(s.substr(5, 2)) && s[7] == '-' && allDigits(s.substr(8, 2));
}

bool isUnixMode(std::string_view s) {
    if (s.size() < 10 || std::string_view("-dlcbpsD").find(s[0]) == std::string_view::npos) {
        return false;
    }
    for (std::size_t i = 1; i < 10; ++i) {
        if (std::string_view("rwxsStTl-").find(s[i]) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

std::optional<RemoteEntry> finish(std::string_view name, std::uint64_t size, bool isDirectory) {
    if (name.empty() || !isCleanName(name)) {
        return std::nullopt;
    }
    return RemoteEntry{std::string(name), size, isDirectory};
}

std::optional<RemoteEntry> parseUnix(std::string_view line) {
    std::vector<Token> tokens = tokenize(line, 10);
    if (tokens.size() < 5 || !isUnixMode(tokens[0].text)) {
        return std::nullopt;
    }
    char type = tokens[0].text[0];
    // Find the date: "Mon DD YYYY|HH:MM" or "YYYY-MM-DD HH:MM"; the size is the token before.
    for (std::size_t i = 2; i + 1 < tokens.size(); ++i) {
        std::size_t nameStart = 0;
        if (isMonth(tokens[i].text) && i + 2 < tokens.size() && isDay(tokens[i + 1].text) &&
            isYearOrClock(tokens[i + 2].text)) {
            nameStart = tokens[i + 2].end + 1;
        } else if (isIsoDate(tokens[i].text) && isClock(tokens[i + 1].text)) {
            nameStart = tokens[i + 1].end + 1;
        } else {
            continue;
        }
        if (nameStart >= line.size()) {
            return std::nullopt;
        }
        std::string_view name = line.substr(nameStart);
        std::uint64_t size = 0;
        bool isDevice = type == 'c' || type == 'b';
        if (!isDevice) {
            std::optional<std::uint64_t> n = toNumber(tokens[i - 1].text);
            if (!n) {
                return std::nullopt;
            }
            size = *n;
        }
        if (type == 'l') {
            std::size_t arrow = name.find(" -> ");
            if (arrow != std::string_view::npos) {
                name = name.substr(0, arrow);
            }
        }
        return finish(name, size, type == 'd');
    }
    return std::nullopt;
}

// "01-15-21" or "01-15-2021" or "2021-01-15"
bool isDosDate(std::string_view s) {
    if (s.size() != 8 && s.size() != 10) {
        return false;
    }
    int dashes = 0;
    for (char c : s) {
        if (c == '-') {
            ++dashes;
        } else if (!isDigit(c)) {
            return false;
        }
    }
    return dashes == 2;
}

// "03:04PM", "15:04"
bool isDosTime(std::string_view s) {
    if (s.size() > 2) {
        std::string_view suffix = s.substr(s.size() - 2);
        if (suffix == "AM" || suffix == "PM" || suffix == "am" || suffix == "pm") {
            s.remove_suffix(2);
        }
    }
    return isClock(s);
}

std::optional<RemoteEntry> parseDos(std::string_view line) {
    std::vector<Token> tokens = tokenize(line, 3);
    if (tokens.size() < 3 || !isDosDate(tokens[0].text) || !isDosTime(tokens[1].text)) {
        return std::nullopt;
    }
    std::size_t nameStart = line.find_first_not_of(' ', tokens[2].end);
    if (nameStart == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view name = line.substr(nameStart);
    if (tokens[2].text == "<DIR>") {
        return finish(name, 0, true);
    }
    std::optional<std::uint64_t> size = toNumber(tokens[2].text);
    if (!size) {
        return std::nullopt;
    }
    return finish(name, *size, false);
}

}  // namespace

bool isCleanName(std::string_view name) {
    for (char c : name) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7f) {
            return false;
        }
    }
    return true;
}

std::optional<RemoteEntry> parseListLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return std::nullopt;
    }
    if (isDigit(line[0])) {
        return parseDos(line);
    }
    return parseUnix(line);
}

std::optional<RemoteEntry> parseMlsdLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    // Facts end at the first space; the name is everything after it.
    std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space + 1 >= line.size()) {
        return std::nullopt;
    }
    std::string_view facts = line.substr(0, space);
    std::string_view name = line.substr(space + 1);
    std::uint64_t size = 0;
    bool isDirectory = false;
    bool haveType = false;
    while (!facts.empty()) {
        std::size_t semi = facts.find(';');
        std::string_view fact = facts.substr(0, semi);
        facts = semi == std::string_view::npos ? std::string_view() : facts.substr(semi + 1);
        std::size_t eq = fact.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        std::string key(fact.substr(0, eq));
        for (char& c : key) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        std::string value(fact.substr(eq + 1));
        for (char& c : value) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        if (key == "type") {
            haveType = true;
            if (value == "cdir" || value == "pdir") {
                return std::nullopt;
            }
            isDirectory = value == "dir";
        } else if (key == "size" || key == "sizd") {
            if (std::optional<std::uint64_t> n = toNumber(value)) {
                size = *n;
            }
        }
    }
    if (!haveType) {
        return std::nullopt;
    }
    return finish(name, size, isDirectory);
}

}  // namespace lumaro::ftp_session
