#include "platform/text/gb_text.h"

namespace lumaro::text {
namespace {

bool isLeadByte(unsigned char b) {
    return b >= 0x80;
}

// Calls visit(position0) for the first byte of every character, under the double-byte rule.
template <typename Visit>
void forEachCharStart(std::string_view s, Visit visit) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!visit(i)) {
            return;
        }
        if (isLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;  // the trail byte is never a character of its own
        }
    }
}

char foldLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char foldUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

template <typename Fold>
std::string foldCase(std::string_view s, Fold fold) {
    std::string out(s);
    forEachCharStart(out, [&](std::size_t i) {
        out[i] = fold(out[i]);
        return true;
    });
    return out;
}

// Compares needle against s at offset `at`, folding ASCII letters only where needle has a
// character start; a trail byte is compared exactly.
bool matchesAt(std::string_view s, std::size_t at, std::string_view needle) {
    if (s.size() - at < needle.size()) {
        return false;
    }
    for (std::size_t j = 0; j < needle.size(); ++j) {
        const unsigned char n = static_cast<unsigned char>(needle[j]);
        if (isLeadByte(n)) {
            if (s[at + j] != needle[j] || j + 1 >= needle.size() ||
                s[at + j + 1] != needle[j + 1]) {
                return false;
            }
            ++j;
        } else if (foldLower(s[at + j]) != foldLower(needle[j])) {
            return false;
        }
    }
    return true;
}

}  // namespace

int findFirstChar(std::string_view s, char c) {
    int found = -1;
    forEachCharStart(s, [&](std::size_t i) {
        if (s[i] == c) {
            found = static_cast<int>(i) + 1;
            return false;
        }
        return true;
    });
    return found;
}

int findLastChar(std::string_view s, char c) {
    int found = -1;
    forEachCharStart(s, [&](std::size_t i) {
        if (s[i] == c) {
            found = static_cast<int>(i) + 1;
        }
        return true;
    });
    return found;
}

std::vector<std::string> splitOnChar(std::string_view s, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    forEachCharStart(s, [&](std::size_t i) {
        if (s[i] == separator) {
            pieces.emplace_back(s.substr(start, i - start));
            start = i + 1;
        }
        return true;
    });
    if (start < s.size()) {
        pieces.emplace_back(s.substr(start));
    }
    return pieces;
}

std::string asciiLower(std::string_view s) {
    return foldCase(s, foldLower);
}
std::string asciiUpper(std::string_view s) {
    return foldCase(s, foldUpper);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && matchesAt(a, 0, b);
}

int findIgnoreCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) {
        return haystack.empty() ? -1 : 1;
    }
    int found = -1;
    forEachCharStart(haystack, [&](std::size_t i) {
        if (matchesAt(haystack, i, needle)) {
            found = static_cast<int>(i) + 1;
            return false;
        }
        return true;
    });
    return found;
}

}  // namespace lumaro::text
