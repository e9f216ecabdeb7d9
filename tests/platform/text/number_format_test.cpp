#include "platform/text/number_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace lumaro::text {
namespace {

TEST(NumberFormatTest, KilobytesRoundHalvesAwayFromZeroExactly) {
    const std::vector<std::pair<std::int64_t, std::string>> cases = {
        {0, "0"},
        {1536, "1.5"},
        {1000, "0.977"},
        {1, "0.001"},
        {-1, "-0.001"},
        {1024, "1"},
        {512, "0.5"},
        {-1536, "-1.5"},
        {2047, "1.999"},
        {5368709120LL, "5242880"},  // 5 GiB
        // 0.0005 KB sits exactly on a half: 0.512 bytes is not whole, so look for
        // x * 1000 / 1024 == n + 0.5 → x = 64 gives 62.5 thousandths → 0.063.
        {64, "0.063"},
        {-64, "-0.063"},
        {std::numeric_limits<std::int64_t>::max(), "9007199254740991.999"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(kilobytesRounded(bytes), text) << bytes;
    }
}

TEST(NumberFormatTest, WholeKilobytesCutTowardZero) {
    EXPECT_EQ(kilobytesWhole(1023), "0");
    EXPECT_EQ(kilobytesWhole(2047), "1");
    EXPECT_EQ(kilobytesWhole(5368709120LL), "5242880");
}

TEST(NumberFormatTest, RealsInShortestFormWithThirteenDigits) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.0, "0"},
        {1.5, "1.5"},
        {-0.001, "-0.001"},
        {12.0, "12"},
        {100.0, "100"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333"},
        {2.0 / 3, "0.6666666666667"},
        {123456789012345.0, "123456789012300"},
        {1e-5, "0.00001"},
        {977.0 / 1000, "0.977"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(formatReal(value), text) << value;
    }
    EXPECT_EQ(formatInteger(-42), "-42");
}

TEST(NumberFormatTest, LeadingNumbersAreReadLeniently) {
    EXPECT_DOUBLE_EQ(leadingNumber("0.977"), 0.977);
    EXPECT_DOUBLE_EQ(leadingNumber("  12.5KB"), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber("-3"), -3);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3"), 1.2);

    EXPECT_EQ(leadingInteger("5"), 5);
    EXPECT_EQ(leadingInteger("-1"), -1);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("x1"), 0);
    EXPECT_EQ(leadingInteger(" 7abc"), 7);
    EXPECT_EQ(leadingInteger("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
}

}  // namespace
}  // namespace lumaro::text
