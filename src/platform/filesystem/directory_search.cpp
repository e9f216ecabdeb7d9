#include "platform/filesystem/directory_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/filesystem/attributes.h"
#include "platform/filesystem/native_path.h"
#include "platform/text/wildcard.h"

namespace lumaro::filesystem {

namespace {

struct SplitPattern {
    std::string directory;  // native
    std::string name;       // native wildcard
};

SplitPattern splitNative(const std::string& native) {
    const auto slash = native.rfind('/');
    if (slash == std::string::npos) {
        return {".", native};
    }
    return {slash == 0 ? "/" : native.substr(0, slash), native.substr(slash + 1)};
}

EntryKind kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return EntryKind::Directory;
    }
    return S_ISREG(mode) ? EntryKind::RegularFile : EntryKind::Other;
}

DirectoryEntry describe(int dirFd, const char* nativeName) {
    DirectoryEntry entry;
    entry.name = fromNativeName(nativeName);
    struct stat st {};
    if (::fstatat(dirFd, nativeName, &st, 0) != 0) {
        return entry;  // a dangling link or a vanished entry: attributes unreadable
    }
    const bool writable = ::faccessat(dirFd, nativeName, W_OK, AT_EACCESS) == 0;
    entry.attributes = attributeWord(kindOf(st.st_mode), writable, nativeName);
    entry.size = S_ISREG(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : 0;
    return entry;
}

class DirCloser {
public:
    explicit DirCloser(DIR* dir) : m_dir(dir) {}
    ~DirCloser() {
        if (m_dir != nullptr) {
            ::closedir(m_dir);
        }
    }
    DirCloser(const DirCloser&) = delete;
    DirCloser& operator=(const DirCloser&) = delete;

private:
    DIR* m_dir;
};

}  // namespace

bool enumerateDirectory(std::string_view pattern,
                        const std::function<bool(const DirectoryEntry&)>& visit) {
    if (pattern.empty()) {
        return false;
    }
    const SplitPattern split = splitNative(toNativePath(pattern));
    DIR* dir = ::opendir(split.directory.c_str());
    if (dir == nullptr) {
        return false;
    }
    DirCloser closer(dir);
    const int dirFd = ::dirfd(dir);
    const std::string namePattern = fromNativeName(split.name);
    while (const dirent* item = ::readdir(dir)) {
        if (!text::matchesWildcard(namePattern, fromNativeName(item->d_name))) {
            continue;
        }
        if (!visit(describe(dirFd, item->d_name))) {
            break;
        }
    }
    return true;
}

std::vector<DirectoryEntry> listDirectory(std::string_view pattern) {
    std::vector<DirectoryEntry> entries;
    enumerateDirectory(pattern, [&entries](const DirectoryEntry& entry) {
        entries.push_back(entry);
        return true;
    });
    return entries;
}

bool entryExists(std::string_view path) {
    if (path.empty() || path.back() == '/') {
        return false;
    }
    const std::string native = toNativePath(path);
    const SplitPattern split = splitNative(native);
    if (!text::hasWildcard(split.name)) {
        struct stat st {};
        // lstat as well: a dangling link is still found by a directory search.
        return ::stat(native.c_str(), &st) == 0 || ::lstat(native.c_str(), &st) == 0;
    }
    bool found = false;
    DIR* dir = ::opendir(split.directory.c_str());
    if (dir == nullptr) {
        return false;
    }
    DirCloser closer(dir);
    const std::string namePattern = fromNativeName(split.name);
    while (const dirent* item = ::readdir(dir)) {
        if (text::matchesWildcard(namePattern, fromNativeName(item->d_name))) {
            found = true;
            break;
        }
    }
    return found;
}

}  // namespace lumaro::filesystem
