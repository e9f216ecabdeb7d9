#include "platform/ftp_session/list_pattern.h"

namespace lumaro::ftp_session {

ListPattern splitListPattern(std::string_view pattern) {
    const std::size_t slash = pattern.rfind('/');
    if (slash == std::string_view::npos) {
        return {"", std::string(pattern)};
    }
    std::string directory(pattern.substr(0, slash));
    if (directory.empty()) {
        directory = "/";
    }
    return {directory, std::string(pattern.substr(slash + 1))};
}

}  // namespace lumaro::ftp_session
