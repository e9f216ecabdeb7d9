#pragma once

#include <string>

namespace lumaro::app {

// The directory that holds the running program's executable, as a GB18030 text without a
// trailing separator. Falls back to the current directory when it cannot be found.
std::string executableDirectory();

}  // namespace lumaro::app
