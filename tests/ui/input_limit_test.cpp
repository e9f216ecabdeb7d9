// Input limits count GB18030 bytes and cut only on character boundaries.
#include <gtest/gtest.h>

#include "ui/input_limit.h"

namespace lumaro::ui {
namespace {

struct CutCase {
    const char* text;
    int limit;
    const char* expected;
};

TEST(UiInputLimit, CutsOnCharacterBoundaries) {
    const CutCase cases[] = {
        {"abc", 0, "abc"},        // no limit
        {"abc", 3, "abc"},        // exactly fits
        {"abcd", 3, "abc"},       // ASCII cut
        {"ab中文", 5, "ab中"},    // the second Chinese character would need bytes 5 and 6
        {"ab中文", 6, "ab中文"},  // fits exactly
        {"中文", 1, ""},          // not even one whole character
        {"\x81\x30\x81\x30z", 4, "\x81\x30\x81\x30"},  // a four-byte character counts four
        {"a\x81\x30\x81\x30", 4, "a"},                 // and is never split
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cutToInputLimit(c.text, c.limit), c.expected) << c.text << " / " << c.limit;
        EXPECT_EQ(fitsInputLimit(c.text, c.limit), std::string(c.text) == c.expected);
    }
}

TEST(UiInputLimit, ChineseNameTakesTwoBytesPerCharacter) {
    std::string thirty;
    for (int i = 0; i < 30; ++i) {
        thirty += "服";
    }
    EXPECT_EQ(thirty.size(), 60u);
    EXPECT_TRUE(fitsInputLimit(thirty, 60));
    EXPECT_FALSE(fitsInputLimit(thirty + "a", 60));
}

}  // namespace
}  // namespace lumaro::ui
