#include "platform/profile_file/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/profile_file/ini_document.h"
#include "platform/text/encoding.h"

namespace lumaro::platform {
namespace {

// Read-modify-write of a profile file must not interleave, or one writer's key is lost.
std::mutex& writeMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<std::string> readWholeFile(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (n < 0) {
        return std::nullopt;  // a directory, or a read error
    }
    return content;
}

std::string cutToBuffer(std::string_view value) {
    // The classic functions hand back C strings: a NUL byte ends the value.
    value = value.substr(0, value.find('\0'));
    return std::string(value.substr(0, kProfileBufferSize - 1));
}

std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

std::string withLineSet(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
    const auto lines = splitIniLines(text);
    const KeyLocation where = locateKey(lines, section, key);
    const std::string keyLine = oneLine(key) + "=" + oneLine(value);
    std::string out;
    out.reserve(text.size() + keyLine.size() + section.size() + 8);
    if (!where.sectionLine) {
        out.append(text);
        if (!out.empty() && out.back() != '\n') {
            out += "\r\n";
        }
        return out + "[" + oneLine(section) + "]\r\n" + keyLine + "\r\n";
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (where.keyLine && i == *where.keyLine) {
            out += keyLine;
            out += lines[i].ending.empty() ? std::string_view("\r\n") : lines[i].ending;
            continue;
        }
        out.append(lines[i].content).append(lines[i].ending);
        if (!where.keyLine && i == where.insertAfter) {
            if (lines[i].ending.empty()) {
                out += "\r\n";
            }
            out += keyLine + "\r\n";
        }
    }
    return out;
}

bool writeAtomically(const std::string& nativePath, const std::string& content) {
    std::ostringstream tempName;
    tempName << nativePath << ".tmp" << ::getpid() << "-" << std::this_thread::get_id();
    const std::string temp = tempName.str();
    struct stat old {};
    const mode_t mode = ::stat(nativePath.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), nativePath.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    const auto text = readWholeFile(text::toUtf8(path));
    if (!text) {
        return cutToBuffer(defaultValue);
    }
    const auto lines = splitIniLines(*text);
    const KeyLocation where = locateKey(lines, section, key);
    if (!where.keyLine) {
        return cutToBuffer(defaultValue);
    }
    return cutToBuffer(keyValueOf(lines[*where.keyLine].content)->value);
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::string nativePath = text::toUtf8(path);
    std::lock_guard lock(writeMutex());
    struct stat info {};
    const bool exists = ::stat(nativePath.c_str(), &info) == 0;
    const auto old = readWholeFile(nativePath);
    if (exists && !old) {
        return false;  // never replace a file we could not read: its other keys would be lost
    }
    return writeAtomically(nativePath,
                           withLineSet(old.value_or(std::string()), section, key, value));
}

}  // namespace lumaro::platform
