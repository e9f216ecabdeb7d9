#include "platform/text/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace lumaro::text {
namespace {

TEST(WildcardTest, MatchesAsTheDirectorySearchDoes) {
    struct Case {
        std::string pattern;
        std::string name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "a.txt", true},
        {"*.*", "readme", true},
        {"*.*", ".", true},
        {"*.*", "..", true},
        {"*.*", ".profile", true},
        {"*", "anything at all", true},
        {"*.txt", "a.txt", true},
        {"*.txt", "a.TXT", false},
        {"*.txt", "a.txt.bak", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "a中c", true},  // "?" takes a whole double-byte character
        {"a?c",
         "a\x95\x32\x82\x36"
         "c",
         true},  // and a whole four-byte one
        {"a??c", "a中c", false},
        {"*文.txt", "中文.txt", true},
        {"report.*", "report", true},
        {"report.*", "report.doc", true},
        {"report.*", "reports", false},
        {"a.b.*", "a.b", true},
        {"readme", "readme", true},
        {"readme", "readme2", false},
        {"*a*b*c", "xxaxxbxxc", true},
        {"*a*b*c", "xxaxxcxxb", false},
        {"", "", true},
        {"", "a", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
    }
}

TEST(WildcardTest, LongHostileInputsEndQuickly) {
    const std::string name(10000, 'a');
    const std::string pattern = std::string(50, '*') + "b";
    EXPECT_FALSE(matchesWildcard(pattern, name));
    EXPECT_FALSE(matchesWildcard(std::string(5000, '?') + "*b", name));
    EXPECT_TRUE(hasWildcard("dir/*.*"));
    EXPECT_TRUE(hasWildcard("a?"));
    EXPECT_FALSE(hasWildcard("dir/a.txt"));
}

}  // namespace
}  // namespace lumaro::text
