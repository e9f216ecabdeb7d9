// Classifying and choosing icons for a local folder of many files, against a plain stat of
// every file. Builds the folder in a temporary directory, lists it five times through
// isDirectoryPath and iconIndexFor (as the local listing does), and prints the median times,
// their ratio and the size of the icon list after the first and the fifth listing.
//
//   bench_icons [file count] [work directory]      (defaults: 100000, the temporary directory)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/path_rules.h"
#include "icons/file_icons.h"
#include "platform/filesystem/directory_search.h"
#include "platform/filesystem/file_operations.h"
#include "ui/headless/window_system.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Mostly extensions of the table, some the desktop draws, a few without any dot.
const char* const kExtensions[] = {
    "txt", "txt", "txt", "jpg", "jpg", "png", "gif", "bmp", "htm", "html", "ini", "dll",
    "db",  "asp", "rar", "TXT", "JPG", "txt", "jpg", "png", "pdf", "doc",  "zip", "mp3",
};

std::vector<std::string> makeFolder(const std::string& dir, int count) {
    std::mt19937 random(20240611);  // fixed seed: the same folder every run
    std::vector<std::string> names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char* extension = kExtensions[random() % std::size(kExtensions)];
        std::string name = "file" + std::to_string(i);
        if (i % 200 != 0) {  // one in 200 has no extension at all
            name += std::string(".") + extension;
        }
        const std::string path = dir + "/" + name;
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd >= 0) {
            ::close(fd);
        }
        names.push_back(name);
    }
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string work = argc > 2 ? argv[2] : lumaro::filesystem::temporaryDirectory();
    std::string dirPattern = work + "/lumaro_bench_icons_XXXXXX";
    if (::mkdtemp(dirPattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = dirPattern;
    const std::string temp = dir + "/.temp";
    ::mkdir(temp.c_str(), 0755);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    std::printf("building %d files in %s ...\n", count, dir.c_str());
    makeFolder(dir, count);

    lumaro::ui::headless::WindowSystem windows;
    windows.main.window.open();
    lumaro::ui::ListView& list = windows.mainWindow().上传文件框;
    list.copyImagesFrom(windows.mainWindow().远程文件框);
    lumaro::icons::FileIcons icons(list, temp);

    constexpr int kRounds = 5;
    std::vector<double> baseline;
    std::vector<double> ours;
    std::vector<int> listSizes;
    long long checksum = 0;
    for (int round = 0; round < kRounds; ++round) {
        // Both sides enumerate the folder the same way; only the per-file work differs.
        auto start = Clock::now();
        lumaro::filesystem::enumerateDirectory(dir + "/*.*", [&](const auto& entry) {
            struct stat st {};
            const std::string path = dir + "/" + entry.name;
            checksum += ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
            return true;
        });
        baseline.push_back(secondsSince(start));

        start = Clock::now();
        lumaro::filesystem::enumerateDirectory(dir + "/*.*", [&](const auto& entry) {
            if (entry.name.front() == '.') {
                return true;
            }
            const std::string path = dir + "/" + entry.name;
            checksum += lumaro::app::isDirectoryPath(path, false);
            checksum += icons.iconIndexFor(path, false);
            return true;
        });
        ours.push_back(secondsSince(start));
        listSizes.push_back(list.imageCount());
    }

    const double base = median(baseline);
    const double mine = median(ours);
    std::printf("files                         %d\n", count);
    std::printf("stat of every file (median)   %.3f s\n", base);
    std::printf("classify + icon (median)      %.3f s  (first listing %.3f s)\n", mine, ours[0]);
    std::printf("ratio                         %.2fx  (goal: under 5x)\n", mine / base);
    std::printf("icon list after listing 1     %d images\n", listSizes.front());
    std::printf("icon list after listing 5     %d images  (goal: no larger)\n", listSizes.back());
    std::printf("(checksum %lld)\n", checksum);

    std::system(("rm -rf '" + dir + "'").c_str());
    return listSizes.back() == listSizes.front() ? 0 : 2;
}
