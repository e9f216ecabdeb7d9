#include "platform/shell/icon_extraction.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "platform/shell/icon_file_loader.h"
#include "platform/shell/icon_fixtures.h"

namespace lumaro::shell {
namespace {

using namespace lumaro::fixtures;

std::uint32_t redSquare(int, int) {
    return 0xFFFF0000u;
}
std::uint32_t diagonal(int x, int y) {
    return x == y ? 0xFF00FF00u : 0x800000FFu;
}
int halves(int x, int y) {
    return y < 16 ? 1 : 2;
}

IcoImage red32() {
    return {32, 32, dib32(32, redSquare)};
}

TEST(IconExtraction, TakesTheFirstIconOfEachKindOfFile) {
    const IcoImage red = red32();
    const IcoImage small = {16, 32, dib32(16, diagonal)};
    const std::string icoFile = ico({small, red});
    const struct {
        const char* what;
        std::string bytes;
        std::size_t images;
    } cases[] = {
        {"icon file", icoFile, 2},
        {"pe with one icon", peWithIcon(red), 1},
        {"pe with two groups",
         peExecutable({{14, 1, groupIconDirectory({small, red}, {1, 2})},
                       {14, 7, groupIconDirectory({red}, {3})},
                       {3, 1, small.data},
                       {3, 2, red.data},
                       {3, 3, red.data},
                       {16, 1, "version"}}),
         2},
        {"ne icon library", neLibrary({{14, 1, groupIconDirectory({red}, {1})}, {3, 1, red.data}}),
         1},
    };
    for (const auto& c : cases) {
        const auto out = firstIconAsIcoFile(c.bytes);
        ASSERT_TRUE(out) << c.what;
        EXPECT_EQ(out->substr(0, 4), std::string("\0\0\1\0", 4)) << c.what;
        EXPECT_EQ(static_cast<std::size_t>((*out)[4]), c.images) << c.what;
        // The written icon decodes to the red square at 32 × 32.
        const auto picture = decodeIcoImage(*out, 32, 32);
        ASSERT_TRUE(picture) << c.what;
        EXPECT_EQ(picture->pixel(5, 5), 0xFFFF0000u) << c.what;
    }
}

TEST(IconExtraction, FilesWithoutIconsGiveNothing) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"pe without resources", peExecutable({})},
        {"pe with resources but no icon", peExecutable({{16, 1, "version info"}})},
        {"group naming a missing image",
         peExecutable({{14, 1, groupIconDirectory({red32()}, {9})}, {3, 1, red32().data}})},
        {"ne without icons", neLibrary({{6, 1, "strings"}})},
        {"empty", ""},
        {"text", "just some text"},
        {"MZ only", "MZ"},
        {"icon file with no images", std::string("\0\0\1\0\0\0", 6)},
        {"cursor file", std::string("\0\0\2\0\1\0", 6) + std::string(16, '\0')},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(firstIconAsIcoFile(c.bytes)) << c.what;
    }
}

TEST(IconExtraction, DamagedFilesNeverCrash) {
    const IcoImage red = red32();
    const std::string samples[] = {
        ico({red, {16, 4, dib4(16, {0, 0xFF0000, 0x00FF00}, halves)}}),
        peWithIcon(red),
        neLibrary({{14, 1, groupIconDirectory({red}, {1})}, {3, 1, red.data}}),
    };
    // Whatever a damaged file gives must be a whole 32 x 32 picture, or nothing.
    int pictures = 0;
    const auto decodeSanely = [&pictures](const std::string& bytes) {
        if (const auto picture = decodeIcoImage(bytes, 32, 32)) {
            ++pictures;
            EXPECT_TRUE(picture->isValid());
            EXPECT_EQ(picture->width, 32);
            EXPECT_EQ(picture->height, 32);
        }
    };
    std::mt19937 random(42);
    for (const std::string& sample : samples) {
        for (std::size_t length = 0; length < sample.size(); length += 7) {
            if (const auto out = firstIconAsIcoFile(sample.substr(0, length))) {
                decodeSanely(*out);
            }
        }
        for (int round = 0; round < 400; ++round) {
            std::string damaged = sample;
            for (int flips = 0; flips < 3; ++flips) {
                damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
            }
            if (round % 2 == 0) {
                const std::size_t at = random() % (damaged.size() - 4);
                damaged.replace(at, 4, "\xFF\xFF\xFF\x7F");
            }
            if (const auto out = firstIconAsIcoFile(damaged)) {
                decodeSanely(*out);
            }
            decodeSanely(damaged);
        }
    }
    EXPECT_GT(pictures, 0) << "lightly damaged files that still hold an icon decode";
}

TEST(IconFileLoader, DecodesBitmapsWithTheirMasks) {
    // 4-bit palette image, left half masked out.
    const std::string file = ico({{32, 4, dib4(32, {0, 0xFF0000, 0x0000FF}, halves)}});
    const auto picture = decodeIcoImage(file, 32, 32);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 32);
    EXPECT_EQ(picture->pixel(2, 2), 0u);             // masked: transparent
    EXPECT_EQ(picture->pixel(20, 2), 0xFFFF0000u);   // top half: palette 1
    EXPECT_EQ(picture->pixel(20, 30), 0xFF0000FFu);  // bottom half: palette 2
    // 32-bit image keeps its own alpha; rows are turned the right way up.
    const auto own = decodeIcoImage(ico({{32, 32, dib32(32, diagonal)}}), 32, 32);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->pixel(3, 3), 0xFF00FF00u);
    EXPECT_EQ(own->pixel(3, 4), 0x800000FFu);
    // The nearest size is chosen and scaled: a 16 × 16 only icon comes back as 32 × 32.
    const auto grown = decodeIcoImage(ico({{16, 32, dib32(16, redSquare)}}), 32, 32);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->width, 32);
    EXPECT_EQ(grown->height, 32);
    EXPECT_EQ(grown->pixel(16, 16), 0xFFFF0000u);
    EXPECT_FALSE(decodeIcoImage(file, 0, 32));
}

TEST(IconExtraction, WritesTheIconFile) {
    std::string dir = ::testing::TempDir() + "lumaro_ico_XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string exe = dir + "/setup.exe";
    const std::string plain = dir + "/plain.exe";
    {
        std::ofstream(exe, std::ios::binary) << peWithIcon(red32());
        std::ofstream(plain, std::ios::binary) << peExecutable({});
    }
    const std::string out = dir + "/tubiao.ico";
    EXPECT_TRUE(writeFirstIcon(exe, out));
    const auto loaded = loadFirstIcon(out, 32, 32);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->pixel(0, 0), 0xFFFF0000u);
    EXPECT_FALSE(writeFirstIcon(plain, dir + "/other.ico"));
    EXPECT_FALSE(writeFirstIcon(dir + "/missing.exe", dir + "/other.ico"));
    EXPECT_FALSE(writeFirstIcon(exe, dir + "/no/such/dir/tubiao.ico"));
    EXPECT_FALSE(loadFirstIcon(dir + "/other.ico", 32, 32));
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace lumaro::shell
