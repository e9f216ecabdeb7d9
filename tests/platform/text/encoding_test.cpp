#include "platform/text/encoding.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace lumaro::text {
namespace {

TEST(EncodingTest, RoundTripsChineseAndFourByteCharacters) {
    // Plain literals are GB18030 in this project; u8 literals are UTF-8.
    const std::string gb = "服务器目录";
    const std::string utf8 = reinterpret_cast<const char*>(u8"服务器目录");
    EXPECT_EQ(toUtf8(gb), utf8);
    EXPECT_EQ(fromUtf8(utf8), gb);

    const std::string emojiUtf8 = "\xF0\x9F\x98\x80";  // U+1F600, outside GBK
    const auto emojiGb = utf8ToGb(emojiUtf8);
    ASSERT_TRUE(emojiGb.has_value());
    EXPECT_EQ(emojiGb->size(), 4u);
    EXPECT_EQ(gbToUtf8(*emojiGb), emojiUtf8);
}

TEST(EncodingTest, InvalidInputIsRefusedOrReplacedNeverLost) {
    const std::vector<std::string> badUtf8 = {"\xC3", "\xC0\xAF", "\xED\xA0\x80",
                                              "a\xFF"
                                              "b",
                                              "\xF4\x90\x80\x80"};
    for (const auto& s : badUtf8) {
        EXPECT_FALSE(isValidUtf8(s)) << s;
        EXPECT_FALSE(utf8ToGb(s).has_value()) << s;
    }
    EXPECT_EQ(fromUtf8("a\xFF"
                       "b"),
              "a?b");
    EXPECT_FALSE(gbToUtf8("ab\x81").has_value());  // lead byte without its trail
    EXPECT_EQ(toUtf8("ab\x81"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8("plain"), "plain");
}

TEST(EncodingTest, ConvertsFromManyThreadsAtOnce) {
    const std::string gb = "远程文件名";
    const std::string utf8 = toUtf8(gb);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                if (toUtf8(gb) != utf8 || fromUtf8(utf8) != gb) {
                    ++failures[t];
                }
            }
        });
    }
    for (auto& th : threads) {
        th.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace lumaro::text
