#include "icons/bmp_image.h"

#include <gtest/gtest.h>

#include "platform/shell/picture.h"

namespace lumaro::icons {
namespace {

TEST(DecodeKeyedBmp, BlackBecomesTransparent) {
    shell::Picture picture{32, 32, std::vector<std::uint32_t>(32 * 32, 0xFF000000u)};
    picture.pixels[0] = 0xFF102030u;             // top-left
    picture.pixels[31 * 32 + 31] = 0xFF010000u;  // bottom-right, nearly black
    const auto image = decodeKeyedBmp(shell::encodeBmp(picture), 32, 32);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(image->pixel(31, 31), 0xFF010000u);
    EXPECT_EQ(image->pixel(5, 5), 0u);
}

TEST(DecodeKeyedBmp, ScalesOtherSizes) {
    shell::Picture picture{16, 16, std::vector<std::uint32_t>(16 * 16, 0xFFFF0000u)};
    const auto image = decodeKeyedBmp(shell::encodeBmp(picture), 32, 32);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->pixel(31, 31), 0xFFFF0000u);
}

TEST(DecodeKeyedBmp, DamagedInputGivesNothing) {
    shell::Picture picture{32, 32, std::vector<std::uint32_t>(32 * 32, 0xFFFFFFFFu)};
    const std::string good = shell::encodeBmp(picture);
    for (std::size_t length = 0; length < good.size(); length += 37) {
        EXPECT_FALSE(decodeKeyedBmp(good.substr(0, length), 32, 32)) << length;
    }
    std::string hugeWidth = good;
    hugeWidth.replace(18, 4, "\xFF\xFF\xFF\x7F");
    EXPECT_FALSE(decodeKeyedBmp(hugeWidth, 32, 32));
    std::string eightBit = good;
    eightBit[28] = 8;
    EXPECT_FALSE(decodeKeyedBmp(eightBit, 32, 32));
    EXPECT_FALSE(decodeKeyedBmp("not a bitmap", 32, 32));
    EXPECT_FALSE(decodeKeyedBmp(good, 0, 32));
}

}  // namespace
}  // namespace lumaro::icons
