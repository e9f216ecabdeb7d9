// ListRows, the row store both list view bindings keep: rows shift with their selection and the
// current row, out-of-range indices change nothing, and finding a caption folds ASCII letters
// only, never a trail byte.
#include "ui/list_rows.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace lumaro::ui {
namespace {

// Three columns, so that the third lives outside the two inline cells.
constexpr int kColumns = 3;

// Rows a, b, c, d with b and d selected and c current.
ListRows fourRows() {
    ListRows rows(kColumns);
    for (const char* caption : {"a", "b", "c", "d"}) {
        rows.addRow(caption, 0);
    }
    rows.setSelected(1, true);
    rows.setSelected(3, true);
    rows.setCurrentRow(2);
    return rows;
}

std::vector<std::string> captions(const ListRows& rows) {
    std::vector<std::string> out;
    for (int r = 0; r < rows.rowCount(); ++r) {
        out.push_back(rows.cellText(r, 0));
    }
    return out;
}

struct EditCase {
    const char* name;
    std::function<int(ListRows&)> edit;
    int result;
    std::vector<std::string> captions;
    std::vector<int> selected;
    int current;
};

const std::vector<std::string> kUnchanged{"a", "b", "c", "d"};

const EditCase kEditCases[] = {
    {"insert at top",
     [](ListRows& r) { return r.insertRow(0, "x", 1); },
     0,
     {"x", "a", "b", "c", "d"},
     {2, 4},
     3},
    {"insert at current",
     [](ListRows& r) { return r.insertRow(2, "x", 1); },
     2,
     {"a", "b", "x", "c", "d"},
     {1, 4},
     3},
    {"insert below current",
     [](ListRows& r) { return r.insertRow(3, "x", 1); },
     3,
     {"a", "b", "c", "x", "d"},
     {1, 4},
     2},
    {"insert at the end",
     [](ListRows& r) { return r.insertRow(4, "x", 1); },
     4,
     {"a", "b", "c", "d", "x"},
     {1, 3},
     2},
    {"insert past the end",
     [](ListRows& r) { return r.insertRow(5, "x", 1); },
     -1,
     kUnchanged,
     {1, 3},
     2},
    {"insert before 0",
     [](ListRows& r) { return r.insertRow(-1, "x", 1); },
     -1,
     kUnchanged,
     {1, 3},
     2},
    {"append",
     [](ListRows& r) { return r.addRow("x", 1); },
     4,
     {"a", "b", "c", "d", "x"},
     {1, 3},
     2},
    {"remove above current",
     [](ListRows& r) { return static_cast<int>(r.removeRow(0)); },
     1,
     {"b", "c", "d"},
     {0, 2},
     1},
    {"remove selected above current",
     [](ListRows& r) { return static_cast<int>(r.removeRow(1)); },
     1,
     {"a", "c", "d"},
     {2},
     1},
    {"remove current",
     [](ListRows& r) { return static_cast<int>(r.removeRow(2)); },
     1,
     {"a", "b", "d"},
     {1, 2},
     -1},
    {"remove below current",
     [](ListRows& r) { return static_cast<int>(r.removeRow(3)); },
     1,
     {"a", "b", "c"},
     {1},
     2},
    {"remove past the end",
     [](ListRows& r) { return static_cast<int>(r.removeRow(4)); },
     0,
     kUnchanged,
     {1, 3},
     2},
    {"remove before 0",
     [](ListRows& r) { return static_cast<int>(r.removeRow(-1)); },
     0,
     kUnchanged,
     {1, 3},
     2},
    {"clear", [](ListRows& r) { return r.clear(), r.rowCount(); }, 0, {}, {}, -1},
    {"clear selection",
     [](ListRows& r) { return r.clearSelection(), r.rowCount(); },
     4,
     kUnchanged,
     {},
     2},
    {"current past the end",
     [](ListRows& r) { return r.setCurrentRow(4); },
     -1,
     kUnchanged,
     {1, 3},
     -1},
    {"current before 0",
     [](ListRows& r) { return r.setCurrentRow(-2); },
     -1,
     kUnchanged,
     {1, 3},
     -1},
    {"current in range", [](ListRows& r) { return r.setCurrentRow(0); }, 0, kUnchanged, {1, 3}, 0},
};

TEST(ListRows, EditsShiftSelectionAndCurrentRow) {
    for (const EditCase& c : kEditCases) {
        SCOPED_TRACE(c.name);
        ListRows rows = fourRows();
        EXPECT_EQ(c.edit(rows), c.result);
        EXPECT_EQ(captions(rows), c.captions);
        EXPECT_EQ(rows.selectedRows(), c.selected);
        EXPECT_EQ(rows.currentRow(), c.current);
    }
}

struct Cell {
    int row;
    int column;
};

const Cell kOutOfRange[] = {{-1, 0}, {4, 0}, {INT_MAX, 0}, {INT_MIN, 1},
                            {0, -1}, {0, 3}, {1, INT_MAX}, {-1, -1}};

TEST(ListRows, OutOfRangeWritesDoNothingAndReadsAreEmpty) {
    for (const Cell& c : kOutOfRange) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
        ListRows rows = fourRows();
        EXPECT_FALSE(rows.setCellText(c.row, c.column, "x"));
        EXPECT_EQ(rows.cellText(c.row, c.column), "");
        EXPECT_EQ(captions(rows), kUnchanged);
        if (c.column >= 0 && c.column < kColumns) {  // only the row is out of range
            EXPECT_FALSE(rows.setIconIndex(c.row, 5));
            EXPECT_EQ(rows.iconIndex(c.row), -1);
            EXPECT_FALSE(rows.setSelected(c.row, true));
            EXPECT_FALSE(rows.isSelected(c.row));
            EXPECT_EQ(rows.selectedRows(), (std::vector<int>{1, 3}));
        }
    }
}

TEST(ListRows, EveryColumnHoldsItsText) {
    ListRows rows = fourRows();
    for (int column = 0; column < kColumns; ++column) {
        EXPECT_TRUE(rows.setCellText(1, column, "列" + std::to_string(column)));
    }
    EXPECT_EQ(rows.cellText(1, 0), "列0");
    EXPECT_EQ(rows.cellText(1, 1), "列1");
    EXPECT_EQ(rows.cellText(1, 2), "列2");
    EXPECT_EQ(rows.cellText(0, 2), "");
    EXPECT_TRUE(rows.setIconIndex(1, 7));
    EXPECT_EQ(rows.iconIndex(1), 7);
    EXPECT_EQ(rows.iconIndex(0), 0);
}

struct FindCase {
    const char* caption;
    bool ignoreCase;
    int fromRow;
    int found;
};

// "\xB0\x41" is one GB18030 character whose trail byte is the code of 'A': folding it to 'a'
// would make it another character, "\xB0\x61".
const FindCase kFindCases[] = {
    {"readme.txt", false, 0, 2},
    {"readme.txt", true, 0, 0},
    {"README.TXT", false, 0, -1},
    {"README.TXT", true, 1, 2},
    {"readme.txt", true, 3, -1},
    {"readme.txt", true, -5, 0},
    {"readme.txt", true, 99, -1},
    {"\xB0\x41", true, 0, 1},
    {"\xB0\x61", true, 0, -1},
    {"\xB0\x61", false, 0, -1},
    {"数据", true, 0, 3},
    {"readme", true, 0, -1},
    {"", true, 0, -1},
};

TEST(ListRows, FindFoldsAsciiLettersOnly) {
    ListRows rows(kColumns);
    for (const char* caption : {"Readme.TXT", "\xB0\x41", "readme.txt", "数据"}) {
        rows.addRow(caption, -1);
    }
    for (const FindCase& c : kFindCases) {
        SCOPED_TRACE(std::string(c.caption) + (c.ignoreCase ? " ignoring case from " : " from ") +
                     std::to_string(c.fromRow));
        EXPECT_EQ(rows.findRow(c.caption, c.ignoreCase, c.fromRow), c.found);
    }
}

Image picture(int size) {
    return {size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), 1u)};
}

TEST(ListRows, IconListKeepsValidImagesOnly) {
    ListRows rows = fourRows();
    EXPECT_EQ(rows.appendImage(picture(2)), 0);
    EXPECT_EQ(rows.appendImage(Image{2, 2, {}}), -1);
    EXPECT_EQ(rows.appendImage(picture(3)), 1);
    EXPECT_EQ(rows.imageCount(), 2);
    EXPECT_EQ(rows.image(1), picture(3));
    EXPECT_EQ(rows.image(2), Image());
    EXPECT_EQ(rows.image(-1), Image());
    rows.clear();
    EXPECT_EQ(rows.imageCount(), 2);  // clearing rows keeps the icon list
    rows.addRow("e", 1);
    rows.setCurrentRow(0);
    rows.reset({picture(4)});
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(rows.currentRow(), -1);
    ASSERT_EQ(rows.images().size(), 1u);
    EXPECT_EQ(rows.image(0), picture(4));
}

}  // namespace
}  // namespace lumaro::ui
