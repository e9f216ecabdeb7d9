#pragma once
// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes away.

#include <filesystem>
#include <string>

namespace lumaro::test {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "lumaro-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

// Writes `bytes` to `path`, replacing it. Returns false on failure.
bool writeFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file, or nullopt-like empty result with ok=false when it cannot be read.
std::string readFile(const std::filesystem::path& path, bool* ok = nullptr);
// `size` bytes of a fixed pseudo-random pattern derived from `seed`.
std::string patternBytes(std::size_t size, unsigned seed);

}  // namespace lumaro::test
