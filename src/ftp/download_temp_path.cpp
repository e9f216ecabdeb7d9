#include "ftp/download_temp_path.h"

namespace lumaro::ftp {

std::string downloadTempPath(std::string_view finalPath) {
    return std::string(finalPath) + ".lumaro-part";
}

}  // namespace lumaro::ftp
