#include "app/settings_file.h"

#include "app/executable_directory.h"
#include "platform/profile_file/profile_file.h"

namespace lumaro::app {

SettingsFile::SettingsFile(std::string_view directory) : m_path(directory) {
    if (m_path.empty() || m_path.back() != '/') {
        m_path += '/';
    }
    m_path += kFileName;
}

SettingsFile SettingsFile::besideExecutable() {
    return SettingsFile(executableDirectory());
}

std::string SettingsFile::read(std::string_view key, std::string_view defaultValue) const {
    return platform::readProfileString(m_path, kSection, key, defaultValue);
}

void SettingsFile::write(std::string_view key, std::string_view value) const {
    platform::writeProfileString(m_path, kSection, key, value);
}

}  // namespace lumaro::app
