#include "platform/filesystem/attributes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/filesystem/native_path.h"

namespace lumaro::filesystem {

namespace {

EntryKind kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return EntryKind::Directory;
    }
    if (S_ISREG(mode)) {
        return EntryKind::RegularFile;
    }
    return EntryKind::Other;
}

bool startsWithDot(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

// The entry's own name: the last component, ignoring separators at the end.
std::string_view entryName(std::string_view native) {
    while (native.size() > 1 && native.back() == '/') {
        native.remove_suffix(1);
    }
    return lastComponent(native);
}

}  // namespace

int attributeWord(EntryKind kind, bool writable, std::string_view name) {
    int word = 0;
    if (kind == EntryKind::Directory) {
        word |= kDirectory;
    } else if (kind == EntryKind::RegularFile) {
        word |= kArchive;
    }
    if (!writable) {
        word |= kReadOnly;
    }
    if (startsWithDot(name)) {
        word |= kHidden;
    }
    return word & kAttributeMask;
}

int readAttributes(std::string_view path) {
    const std::string native = toNativePath(path);
    struct stat st {};
    if (native.empty() || ::stat(native.c_str(), &st) != 0) {
        return -1;
    }
    const bool writable = ::access(native.c_str(), W_OK) == 0;
    return attributeWord(kindOf(st.st_mode), writable, entryName(native));
}

bool isPlainDirectory(std::string_view path) {
    const std::string native = toNativePath(path);
    struct stat st {};
    if (native.empty() || ::stat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return false;
    }
    if (startsWithDot(entryName(native))) {
        return false;
    }
    return ::access(native.c_str(), W_OK) == 0;
}

}  // namespace lumaro::filesystem
