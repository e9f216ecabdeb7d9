#include "app/activity_log.h"

#include <string>

namespace lumaro::app {

void ActivityLog::appendLine(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    m_box.appendAtEnd(line);
}

void ActivityLog::clear() {
    m_box.setText(std::string());
}

}  // namespace lumaro::app
