#include "platform/ftp_session/list_pattern.h"

#include <gtest/gtest.h>

namespace lumaro::ftp_session {
namespace {

TEST(ListPatternTest, SplitsAtTheLastSlash) {
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
