#include "ui/input_limit.h"

namespace lumaro::ui {

int gbCharLength(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x81 || lead == 0xFF || s.size() < 2) {
        return 1;
    }
    const auto second = static_cast<unsigned char>(s[1]);
    if (second >= 0x30 && second <= 0x39) {
        return s.size() >= 4 ? 4 : 1;
    }
    return 2;
}

bool fitsInputLimit(std::string_view text, int limit) {
    return limit <= 0 || text.size() <= static_cast<std::size_t>(limit);
}

std::string cutToInputLimit(std::string_view text, int limit) {
    if (fitsInputLimit(text, limit)) {
        return std::string(text);
    }
    std::size_t end = 0;
    while (end < text.size()) {
        const auto len = static_cast<std::size_t>(gbCharLength(text.substr(end)));
        if (end + len > static_cast<std::size_t>(limit)) {
            break;
        }
        end += len;
    }
    return std::string(text.substr(0, end));
}

}  // namespace lumaro::ui
