#include "platform/text/wildcard.h"

namespace lumaro::text {
namespace {

// Length of the character starting at `pos`: 1 for ASCII, 4 for a GB18030 four-byte
// sequence (second byte a digit), else 2; never past the end.
std::size_t charLength(std::string_view s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80 || pos + 1 >= s.size()) {
        return 1;
    }
    const char second = s[pos + 1];
    if (second >= '0' && second <= '9' && pos + 3 < s.size()) {
        return 4;
    }
    return 2;
}

// Iterative matcher with one backtrack point for the last "*": never exponential.
bool match(std::string_view p, std::string_view n) {
    std::size_t pi = 0, ni = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (pi < p.size() && p[pi] == '?') {
            ++pi;
            ni += charLength(n, ni);
        } else if (pi < p.size() && p[pi] == n[ni]) {
            ++pi;
            ++ni;
        } else if (starP != std::string_view::npos) {
            pi = starP + 1;
            starN += charLength(n, starN);
            ni = starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') {
        ++pi;
    }
    return pi == p.size();
}

}  // namespace

bool hasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

bool matchesWildcard(std::string_view pattern, std::string_view name) {
    if (match(pattern, name)) {
        return true;
    }
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
           match(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace lumaro::text
