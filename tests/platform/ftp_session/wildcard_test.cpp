#include "platform/ftp_session/wildcard.h"

#include <gtest/gtest.h>

namespace lumaro::ftp_session {
namespace {

TEST(Wildcard, Matches) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "readme.txt", true},
        {"*.*", "noextension", true},
        {"*.*", ".profile", true},
        {"*", "anything at all", true},
        {"", "x", true},
        {"*.txt", "a.txt", true},
        {"*.txt", "a.txt.bak", false},
        {"*.txt", "a.TXT", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c",
         "a\xd6\xd0"
         "c",
         true},  // "?" takes a whole double-byte character
        {"report.*", "report", true},
        {"report.*", "report.doc", true},
        {"report.*", "reports", false},
        {"exact.txt", "exact.txt", true},
        {"exact.txt", "exact.txtx", false},
        {"*b*b*", "abcbd", true},
        {"*b*b*", "abcd", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
    }
}

TEST(Wildcard, SplitListPattern) {
    struct Case {
        const char* pattern;
        const char* directory;
        const char* name;
    };
    const Case cases[] = {
        {"/pub/*.*", "/pub", "*.*"},
        {"/*.*", "/", "*.*"},
        {"*.*", "", "*.*"},
        {"/pub/", "/pub", ""},
        {"sub/a*.txt", "sub", "a*.txt"},
        {"/a/b/c.txt", "/a/b", "c.txt"},
    };
    for (const Case& c : cases) {
        ListPattern p = splitListPattern(c.pattern);
        EXPECT_EQ(p.directory, c.directory) << c.pattern;
        EXPECT_EQ(p.namePattern, c.name) << c.pattern;
    }
}

}  // namespace
}  // namespace lumaro::ftp_session
