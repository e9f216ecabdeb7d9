#include "icons/file_type_table.h"

#include <gtest/gtest.h>

namespace lumaro::icons {
namespace {

TEST(FileTypeTable, LooksUpExtensionsIgnoringCase) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"txt", 7},
        {"TXT", 7},
        {"Txt", 7},
        {"ini", 6},
        {"gif", 1},
        {"png", 1},
        {"bmp", 2},
        {"jpg", 3},
        {"dll", 8},
        {"db", 8},
        {"asp", 9},
        {"rar", 10},
        {"htm", 11},
        {"html", 11},
        {"HTML", 11},
        {"h", std::nullopt},
        {"ht", std::nullopt},
        {"jpeg", std::nullopt},
        {"", std::nullopt},
        {"exe", std::nullopt},
        {"t", std::nullopt},
        {"xt", std::nullopt},
        {"lnk", std::nullopt},
    };
    for (const auto& [extension, index] : cases) {
        EXPECT_EQ(tableIndexFor(extension), index) << extension;
    }
}

TEST(FileTypeTable, IconHoldingTypes) {
    // The test is a text search, so ",exe,dll," is found as well (such a file then simply
    // has no icon to extract).
    for (const char* extension : {"exe", "EXE", "dll", "icl", "ico", "Ico", "exe,dll"}) {
        EXPECT_TRUE(holdsIcons(extension)) << extension;
    }
    for (const char* extension : {"", "ex", "xe", "lnk", "exe,txt", "txt"}) {
        EXPECT_FALSE(holdsIcons(extension)) << extension;
    }
}

}  // namespace
}  // namespace lumaro::icons
