#include "platform/profile_file/ini_document.h"

#include "platform/text/gb_text.h"

namespace lumaro::platform {
namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace

std::vector<IniLine> splitIniLines(std::string_view text) {
    std::vector<IniLine> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back({text, {}});
            break;
        }
        std::size_t end = lf;
        if (end > 0 && text[end - 1] == '\r') {
            --end;
        }
        lines.push_back({text.substr(0, end), text.substr(end, lf + 1 - end)});
        text.remove_prefix(lf + 1);
    }
    return lines;
}

std::optional<std::string_view> sectionNameOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    return trim(close == std::string_view::npos ? line : line.substr(0, close));
}

std::optional<KeyValue> keyValueOf(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyValue{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

KeyLocation locateKey(const std::vector<IniLine>& lines, std::string_view section,
                      std::string_view key) {
    KeyLocation where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionNameOf(lines[i].content);
        if (name) {
            if (where.sectionLine) {
                break;  // the section ends at the next header
            }
            if (text::equalsIgnoreCase(*name, section)) {
                where.sectionLine = i;
                where.insertAfter = i;
            }
            continue;
        }
        if (!where.sectionLine) {
            continue;
        }
        if (!trim(lines[i].content).empty()) {
            where.insertAfter = i;
        }
        const auto kv = keyValueOf(lines[i].content);
        if (kv && !where.keyLine && text::equalsIgnoreCase(kv->key, key)) {
            where.keyLine = i;
        }
    }
    return where;
}

}  // namespace lumaro::platform
