#include "app/extract_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumaro::app {
namespace {

constexpr const char* kLastComponent = "\\\\([^\\\\]+)$";  // \\([^\\]+)$
constexpr const char* kParent = "([a-zA-Z]{1}.+)\\\\";     // ([a-zA-Z]{1}.+) then a backslash

struct GroupCase {
    std::string pattern;
    const char* subject;
    const char* result;
    int offset;
};

// The calls the system makes: group 1, single search, caseless.
TEST(ExtractMatch, PatternsOfTheSystemOnTheirExamples) {
    const GroupCase cases[] = {
        {kLastComponent, "C:\\dir\\file.txt", "file.txt", 7},
        {kLastComponent, "C:\\dir\\", "", -1},
        {kLastComponent, "file.txt", "", -1},
        {kParent, "C:\\dir\\sub", "C:\\dir", 0},
        {kParent, "C:\\dir", "C:", 0},
        {kParent, "C:\\", "C:", 0},
        {kParent, "C:\\dir\\", "C:\\dir", 0},
        {kParent, "C:", "", -1},
        {kParent, "D:\\work\\src", "D:\\work", 0},
        {kParent, "  D:\\work", "D:", 2},
        {kParent, "\\\\", "", -1},
        // The upload's relative path: a directory name put in front of "\\(.*)".
        {std::string("photos") + "\\\\(.*)", "C:\\up\\photos\\2021\\a.jpg", "2021\\a.jpg", 13},
        {std::string("PHOTOS") + "\\\\(.*)", "C:\\up\\photos\\a.jpg", "a.jpg", 13},
        {kLastComponent, "", "", -1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> results = {"untouched"};
        int offset = 99;
        EXPECT_EQ(extractMatch(c.pattern, c.subject, 1, true, results, false, std::nullopt,
                               std::nullopt, offset, false),
                  c.result)
            << c.pattern << " on " << c.subject;
        EXPECT_EQ(offset, c.offset) << c.pattern << " on " << c.subject;
        EXPECT_EQ(results, std::vector<std::string>{"untouched"});
        EXPECT_EQ(extractGroup(c.pattern, c.subject), c.result);
    }
}

TEST(ExtractMatch, MatchesBytesNotCharacters) {
    // A GBK character with trail byte 0x5C: the expression sees the byte as "\".
    EXPECT_EQ(extractGroup(kLastComponent, "C:\\\x81\x5Cname"), "name");
    EXPECT_EQ(extractGroup("(.)", "\xd6\xd0"), "\xd6");
}

TEST(ExtractMatch, SingleSearchOptions) {
    std::vector<std::string> results;
    int offset = 0;
    // Whole match when useGroup is false.
    EXPECT_EQ(extractMatch("b(c)", "abcd", 1, false, results, false, std::nullopt, std::nullopt,
                           offset, false),
              "bc");
    EXPECT_EQ(offset, 1);
    // Case.
    EXPECT_EQ(extractMatch("B", "abc", 0, false, results, false, std::nullopt, std::nullopt, offset,
                           true),
              "");
    EXPECT_EQ(offset, -1);
    EXPECT_EQ(extractMatch("B", "abc", 0, false, results, false, std::nullopt, std::nullopt, offset,
                           false),
              "b");
    // Start position, 1-based; outside 1..length no search runs.
    const struct {
        int start;
        const char* result;
        int offset;
    } starts[] = {{1, "a1", 0}, {2, "a2", 3}, {4, "a2", 3}, {5, "", -1},
                  {6, "", -1},  {0, "", -1},  {-3, "", -1}};
    for (const auto& s : starts) {
        EXPECT_EQ(extractMatch("a.", "a1 a2", 0, false, results, false, std::nullopt, s.start,
                               offset, false),
                  s.result)
            << s.start;
        EXPECT_EQ(offset, s.offset) << s.start;
    }
    // A group that did not take part, and a group number beyond the pattern's.
    EXPECT_EQ(extractMatch("a(x)?b", "ab", 1, true, results, false, std::nullopt, std::nullopt,
                           offset, false),
              "");
    EXPECT_EQ(offset, -1);
    EXPECT_EQ(extractMatch("a(b)", "ab", 5, true, results, false, std::nullopt, std::nullopt,
                           offset, false),
              "");
    EXPECT_EQ(offset, -1);
    EXPECT_TRUE(results.empty());
}

TEST(ExtractMatch, SearchAllCollectsNonEmptyTexts) {
    std::vector<std::string> results = {"old"};
    int offset = 42;
    const auto all = [&](const char* pattern, const char* subject, int group, bool useGroup,
                         std::optional<int> which) {
        return extractMatch(pattern, subject, group, useGroup, results, true, which, std::nullopt,
                            offset, false);
    };
    EXPECT_EQ(all("(\\d+)", "a1 b22 c333", 1, true, std::nullopt), "1");
    EXPECT_EQ(results, (std::vector<std::string>{"1", "22", "333"}));
    EXPECT_EQ(offset, 42);  // not set for found matches
    EXPECT_EQ(all("(\\d+)", "a1 b22 c333", 1, true, 0), "1");
    EXPECT_EQ(all("(\\d+)", "a1 b22 c333", 1, true, 2), "22");
    EXPECT_EQ(all("(\\d+)", "a1 b22 c333", 1, true, 9), "333");
    // Empty taken texts are skipped; empty matches still advance.
    EXPECT_EQ(all("x(y?)", "x xy x xy", 1, true, 2), "y");
    EXPECT_EQ(results, (std::vector<std::string>{"y", "y"}));
    EXPECT_EQ(all("z*", "aza", 0, false, std::nullopt), "z");
    EXPECT_EQ(results, (std::vector<std::string>{"z"}));
    // Nothing collected.
    EXPECT_EQ(all("q", "abc", 0, false, std::nullopt), "");
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(offset, -1);
}

TEST(ExtractMatch, BadPatternsAndHostileInputsGiveNothing) {
    std::vector<std::string> results = {"old"};
    int offset = 7;
    const std::string longSubject(10000, 'a');
    const char* broken[] = {"(", "[a-", "a{2,1}", "\\", "(?<", "(*UTF)a"};
    for (const char* pattern : broken) {
        EXPECT_EQ(extractMatch(pattern, "abc", 1, true, results, false, std::nullopt, std::nullopt,
                               offset, false),
                  "")
            << pattern;
        EXPECT_EQ(offset, -1);
        EXPECT_EQ(extractMatch(pattern, "abc", 1, true, results, true, std::nullopt, std::nullopt,
                               offset, false),
                  "")
            << pattern;
        EXPECT_TRUE(results.empty());
    }
    // Catastrophic backtracking stops at the match limit instead of hanging.
    EXPECT_EQ(extractGroup("(a+)+$", longSubject + "b"), "");
    EXPECT_EQ(extractGroup("(a|aa)*c", std::string(60, 'a')), "");
    EXPECT_EQ(extractGroup(kLastComponent, "C:\\" + longSubject), longSubject);
}

}  // namespace
}  // namespace lumaro::app
