#include <gtest/gtest.h>

#include <string>

#include "platform/shell/picture.h"
#include "platform/shell/render_file_icon.h"

namespace lumaro::shell {
namespace {

std::uint32_t readU32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint8_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24;
}

TEST(EncodeBmp, WritesAStandardBottomUpFile) {
    Picture picture{2, 2, {0xFF112233u, 0xFF445566u, 0xFF778899u, 0xFFAABBCCu}};
    const std::string bmp = encodeBmp(picture);
    ASSERT_EQ(bmp.size(), 54u + 16u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(readU32(bmp, 2), 70u);
    EXPECT_EQ(readU32(bmp, 10), 54u);
    EXPECT_EQ(readU32(bmp, 14), 40u);
    EXPECT_EQ(readU32(bmp, 18), 2u);
    EXPECT_EQ(readU32(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 32);
    // First stored row is the bottom one: 0x778899 as B, G, R, 0.
    EXPECT_EQ(readU32(bmp, 54), 0x00778899u);
    EXPECT_EQ(readU32(bmp, 66), 0x00445566u);
    EXPECT_TRUE(encodeBmp(Picture{}).empty());
}

// Without a GUI application object the plain document picture is drawn, never a crash.
TEST(RenderFileIcon, FallsBackWithoutAnApplication) {
    const std::string bmp = renderFileIcon("/no/such/file.pdf", 32, 32, kBlack);
    ASSERT_EQ(bmp.size(), 54u + 32u * 32u * 4u);
    EXPECT_EQ(readU32(bmp, 54), 0u);  // bottom-left corner: the black background
    EXPECT_EQ(bmp, encodeBmp(genericDocumentPicture(32, 32, kBlack)));
    EXPECT_EQ(renderFileIcon("x", 0, 9999).size(), 54u + 1u * 256u * 4u);
}

}  // namespace
}  // namespace lumaro::shell
