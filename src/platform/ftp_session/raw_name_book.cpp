#include "platform/ftp_session/raw_name_book.h"

namespace lumaro::ftp_session {

void RawNameBook::remember(std::string_view name) {
    std::lock_guard lock(m_mutex);
    if (m_names.size() < kMaxNames) {
        m_names.emplace(name);
    }
}

bool RawNameBook::contains(std::string_view name) const {
    std::lock_guard lock(m_mutex);
    return m_names.count(std::string(name)) != 0;
}

}  // namespace lumaro::ftp_session
