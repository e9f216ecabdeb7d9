#include "app/executable_directory.h"

#include <filesystem>
#include <system_error>

#include "platform/text/encoding.h"

namespace lumaro::app {

std::string executableDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty()) {
        exe = std::filesystem::current_path(error) / "lumaro";
    }
    return text::fromUtf8(exe.parent_path().string());
}

}  // namespace lumaro::app
