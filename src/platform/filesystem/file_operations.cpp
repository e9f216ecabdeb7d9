#include "platform/filesystem/file_operations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/filesystem/native_path.h"

namespace lumaro::filesystem {

std::int64_t fileSize(std::string_view path) {
    const std::string native = toNativePath(path);
    struct stat st {};
    if (native.empty() || ::stat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool deleteFile(std::string_view path) {
    const std::string native = toNativePath(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

bool removeEmptyDirectory(std::string_view path) {
    const std::string native = toNativePath(path);
    struct stat st {};
    // rmdir on a link to a directory fails by itself; check anyway so the intent is plain.
    if (native.empty() || ::lstat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return false;
    }
    return ::rmdir(native.c_str()) == 0;
}

std::string temporaryDirectory() {
    std::error_code error;
    std::string native = std::filesystem::temp_directory_path(error).string();
    if (error || native.empty()) {
        native = "/tmp";
    }
    while (native.size() > 1 && native.back() == '/') {
        native.pop_back();
    }
    return fromNativeName(native);
}

}  // namespace lumaro::filesystem
