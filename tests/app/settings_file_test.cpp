#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/executable_directory.h"
#include "platform/text/encoding.h"

namespace lumaro::app {
namespace {

namespace fs = std::filesystem;
namespace keys = settings_keys;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SettingsFileTest, LivesBesideTheExecutable) {
    const fs::path exeDir = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(text::toUtf8(executableDirectory()), exeDir.string());
    EXPECT_EQ(text::toUtf8(SettingsFile::besideExecutable().path()),
              (exeDir / "wangluo.ini").string());
}

TEST(SettingsFileTest, FirstWriteCreatesFileWithSectionAndOneKey) {
    const fs::path dir =
        fs::temp_directory_path() / ("lumaro-settings-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const SettingsFile settings(text::fromUtf8(dir.string()));

    EXPECT_EQ(settings.read(keys::kSelectedServer, "-1"), "-1");
    EXPECT_FALSE(fs::exists(dir / "wangluo.ini"));

    settings.write(keys::kServerDirectory, "/pub/资料");
    EXPECT_EQ(slurp(dir / "wangluo.ini"), std::string("[shuji]\r\n服务器目录=/pub/资料\r\n"));
    EXPECT_EQ(settings.read(keys::kServerDirectory), "/pub/资料");

    settings.write(keys::kAutoConnect, "真");
    settings.write(keys::kServerDirectory, "/");
    EXPECT_EQ(settings.read(keys::kAutoConnect), "真");
    EXPECT_EQ(settings.read(keys::kServerDirectory), "/");
    fs::remove_all(dir);
}

TEST(SettingsFileTest, UnwritableLocationIsNotReportedAndReadsDefaults) {
    const SettingsFile settings("/proc/lumaro-no-such-dir");
    settings.write(keys::kServerDirectory, "/x");  // must neither throw nor crash
    EXPECT_EQ(settings.read(keys::kServerDirectory, "def"), "def");
}

}  // namespace
}  // namespace lumaro::app
