#pragma once
// The settings file "wangluo.ini": section "shuji", one line per key, read and written through
// the profile-file functions. Its path is fixed when the object is made and never changes.
// Read and write may be called from any thread.

#include <string>
#include <string_view>

namespace lumaro::app {

// The keys of the settings file; no other key is used.
namespace settings_keys {
inline constexpr std::string_view kLocalDirectories = "本地目录";   // history, current first
inline constexpr std::string_view kServerDirectory = "服务器目录";  // text of FTP目录框
inline constexpr std::string_view kAutoConnect = "自动连接";        // "真" connects at start-up
inline constexpr std::string_view kConnectionString = "IP信息";     // name|host|port|user|pass
inline constexpr std::string_view kLegacyServerNames = "IP数据";    // "|"-separated legacy list
inline constexpr std::string_view kSelectedServer = "当前IP";       // position in the name list
}  // namespace settings_keys

class SettingsFile {
public:
    static constexpr std::string_view kFileName = "wangluo.ini";
    static constexpr std::string_view kSection = "shuji";

    // The settings file in `directory` (a GB18030 text, with or without a trailing "/").
    explicit SettingsFile(std::string_view directory);

    // The settings file beside the running executable.
    static SettingsFile besideExecutable();

    // The value of `key`, at most 10239 bytes; `defaultValue` when the key is absent or the
    // file cannot be read, the empty text when the key is present and empty.
    std::string read(std::string_view key, std::string_view defaultValue = {}) const;

    // Stores `value` under `key`, creating the file and section when missing. Failures are
    // not reported, as no caller acts on them; the file is never left half-written.
    void write(std::string_view key, std::string_view value) const;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace lumaro::app
