#include "platform/filesystem/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace lumaro::filesystem {
namespace {

struct WildcardCase {
    const char* pattern;
    const char* name;
    bool matches;
};

TEST(Wildcard, MatchesAsTheDirectorySearchDoes) {
    const WildcardCase cases[] = {
        {"*.*", "a.txt", true},
        {"*.*", "readme", true},
        {"*.*", ".", true},
        {"*.*", "..", true},
        {"*.*", ".profile", true},
        {"*", "anything.at.all", true},
        {"*.txt", "a.txt", true},
        {"*.txt", "a.TXT", false},
        {"*.txt", "a.txt.bak", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"readme", "readme", true},
        {"readme", "readme2", false},
        {"*a*b*c", "xxaxxbxxc", true},
        {"*a*b*c", "xxaxxcxxb", false},
        {"x.*", "x", true},
        {"x.*", "y", false},
        {"", "", true},
        {"", "a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
    }
}

TEST(Wildcard, LongHostileInputsEndQuickly) {
    const std::string name(10000, 'a');
    const std::string pattern = std::string(50, '*') + "b";
    EXPECT_FALSE(matchesWildcard(pattern, name));
    EXPECT_TRUE(hasWildcard("dir/*.*"));
    EXPECT_FALSE(hasWildcard("dir/a.txt"));
}

}  // namespace
}  // namespace lumaro::filesystem
