#include "app/path_rules.h"

#include "platform/filesystem/attributes.h"
#include "platform/filesystem/directory_search.h"
#include "platform/filesystem/native_path.h"
#include "platform/text/gb_text.h"
#include "platform/text/wildcard.h"

namespace lumaro::app {

namespace {

// Attribute words that the existing-entry rule counts as a directory (39 has no
// directory bit and still counts; 18, 20 or 48 do not).
bool isDirectoryWord(int attributes) {
    switch (attributes) {
        case 16:
        case 17:
        case 19:
        case 22:
        case 39:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<int> queryLocalEntry(std::string_view text) {
    if (text.empty() || text.back() == '/') {
        return std::nullopt;  // a path ending in the separator never exists
    }
    // Without wildcards one stat answers both questions; the directory search is needed
    // only for wildcards and for entries whose attributes cannot be read (dangling links).
    if (!text::hasWildcard(filesystem::lastComponent(text))) {
        const int attributes = filesystem::readAttributes(text);
        if (attributes != -1) {
            return attributes;
        }
    }
    if (!filesystem::entryExists(text)) {
        return std::nullopt;
    }
    return filesystem::readAttributes(text);
}

bool isDirectoryByName(std::string_view text) {
    const int p = text::findLastChar(text, '.');
    const int length = static_cast<int>(text.size());
    return !(p > 0 && length - p < 5);
}

bool isDirectoryPath(std::string_view text, bool nameOnly) {
    return isDirectoryPath(text, nameOnly, queryLocalEntry);
}

bool isDirectoryPath(std::string_view text, bool nameOnly, const LocalEntryQuery& query) {
    if (nameOnly || !query) {
        return isDirectoryByName(text);
    }
    const std::optional<int> attributes = query(text);
    if (!attributes) {
        return isDirectoryByName(text);
    }
    if (text::findLastChar(text, '.') == -1) {
        return true;
    }
    return isDirectoryWord(*attributes);
}

std::string withTrailingSeparator(std::string_view directory, char separator) {
    const int last = text::findLastChar(directory, separator);
    if (!directory.empty() && last == static_cast<int>(directory.size())) {
        return std::string(directory);
    }
    std::string joined(directory);
    joined += separator;
    return joined;
}

std::string pathDirectory(std::string_view path, char separator) {
    const int last = text::findLastChar(path, separator);
    return last == -1 ? std::string() : std::string(path.substr(0, last - 1));
}

std::string pathFileName(std::string_view path, char separator) {
    const int last = text::findLastChar(path, separator);
    return last == -1 ? std::string(path) : std::string(path.substr(last));
}

std::string splitPath(std::string_view path, std::string& fileName, std::string& directory,
                      char separator) {
    const int last = text::findLastChar(path, separator);
    fileName = last == -1 ? std::string(path) : std::string(path.substr(last));
    directory = last == -1 ? std::string() : std::string(path.substr(0, last));
    const int dot = text::findLastChar(fileName, '.');
    return dot == -1 ? std::string() : fileName.substr(0, dot - 1);
}

std::optional<std::string> localParentDirectory(std::string_view directory) {
    while (directory.size() > 1 && directory.back() == '/') {
        directory.remove_suffix(1);
    }
    if (directory.empty() || directory == "/") {
        return std::nullopt;
    }
    const auto slash = directory.rfind('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view parent = directory.substr(0, slash);
    while (parent.size() > 1 && parent.back() == '/') {
        parent.remove_suffix(1);
    }
    return parent.empty() ? std::string("/") : std::string(parent);
}

}  // namespace lumaro::app
