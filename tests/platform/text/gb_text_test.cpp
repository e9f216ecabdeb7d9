#include "platform/text/gb_text.h"

#include <gtest/gtest.h>

namespace lumaro::text {
namespace {

// "\x81\x5C" is one GBK character whose trail byte is the backslash byte.
const std::string kTrailBackslash = "\x81\x5C";
// A GB18030 four-byte character (U+20000 area): lead, digit, lead, digit.
const std::string kFourByte = "\x95\x32\x82\x36";

struct CharSearchCase {
    std::string text;
    char c;
    int first;
    int last;
};

TEST(GbTextTest, CharSearchFollowsTheDoubleByteRule) {
    const std::vector<CharSearchCase> cases = {
        {"", '\\', -1, -1},
        {"a.b.c", '.', 2, 4},
        {"abc", '.', -1, -1},
        {"C:\\a\\b.txt", '\\', 3, 5},
        {"C:\\" + kTrailBackslash + "x", '\\', 3, 3},  // trail 0x5C is not a separator
        {kTrailBackslash + "\\", '\\', 3, 3},
        {kTrailBackslash, '\\', -1, -1},
        {"d\\" + kFourByte + "\\f", '\\', 2, 7},
        {"a.\xB1\x2E", '.', 2, 2},  // trail byte 0x2E is not a dot
        {"\xB1", '.', -1, -1},      // lone lead byte at the end
        {"中文.txt", '.', 5, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findFirstChar(c.text, c.c), c.first) << c.text;
        EXPECT_EQ(findLastChar(c.text, c.c), c.last) << c.text;
    }
}

TEST(GbTextTest, SplitKeepsEmptyPiecesButNoTrailingOne) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitOnChar("", '|'), V{});
    EXPECT_EQ(splitOnChar("a|b|c", '|'), (V{"a", "b", "c"}));
    EXPECT_EQ(splitOnChar("a||c|", '|'), (V{"a", "", "c"}));
    EXPECT_EQ(splitOnChar("|", '|'), (V{""}));
    EXPECT_EQ(splitOnChar("x\x81|y|z", '|'), (V{"x\x81|y", "z"}));  // trail byte 0x7C
}

TEST(GbTextTest, CaseFoldingTouchesAsciiLettersOnly) {
    // 0xB0 0x41 is one character whose trail byte is 'A'; it must stay as it is.
    EXPECT_EQ(asciiLower("ABC\xB0\x41Z"), "abc\xB0\x41z");
    EXPECT_EQ(asciiUpper("abc\xB0\x61z"), "ABC\xB0\x61Z");
    EXPECT_EQ(asciiLower("中文ABC"), "中文abc");
}

TEST(GbTextTest, CaseInsensitiveComparisonAndSearch) {
    EXPECT_TRUE(equalsIgnoreCase("Shuji", "SHUJI"));
    EXPECT_TRUE(equalsIgnoreCase("本地目录", "本地目录"));
    EXPECT_FALSE(equalsIgnoreCase("\xB0\x41", "\xB0\x61"));  // trail bytes compare exactly
    EXPECT_FALSE(equalsIgnoreCase("abc", "abcd"));

    EXPECT_EQ(findIgnoreCase(";txt 7;ini 6;", ";INI "), 7);
    EXPECT_EQ(findIgnoreCase(";htm 11;html 11;", ";html "), 8);
    EXPECT_EQ(findIgnoreCase("abc", "x"), -1);
    // "\xB0\x3B" holds ';' as a trail byte: a match may not start inside a character.
    EXPECT_EQ(findIgnoreCase("\xB0;txt", ";txt"), -1);
    EXPECT_EQ(findIgnoreCase("\xB0;;txt", ";txt"), 3);
}

}  // namespace
}  // namespace lumaro::text
