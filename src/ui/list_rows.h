#pragma once
// ListRows: the rows of a list view as plain data — cells, an icon index and a selection flag per
// row, the current row and the icon list — with the index rules of ListView: an index out of
// range makes a write do nothing (and report false) and a read return the empty value
// ("" / -1 / false). Both bindings keep their rows here.
//
// Threads: not synchronised. The list view that owns it guards every call with its own lock.
#include <array>
#include <string>
#include <vector>

#include "ui/image.h"

namespace lumaro::ui {

class ListView;

class ListRows {
public:
    explicit ListRows(int columnCount);

    int columnCount() const { return m_columnCount; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    bool validRow(int row) const { return row >= 0 && row < rowCount(); }
    bool validColumn(int column) const { return column >= 0 && column < m_columnCount; }

    // Appends a row with `caption` in column 0 and returns its index.
    int addRow(const std::string& caption, int iconIndex);
    // Inserts a row before `row` (row == rowCount() appends) and returns `row`, or -1 when `row`
    // is out of range. Rows below move down with their selection; so does the current row.
    int insertRow(int row, const std::string& caption, int iconIndex);
    // Removes a row; rows below move up with their selection. A removed current row leaves no
    // current row.
    bool removeRow(int row);
    // Removes every row; the icon list stays.
    void clear();
    // No rows (their memory released), no current row, and `images` as the icon list.
    void reset(std::vector<Image> images);

    // The cell's text; an empty text when out of range. Valid until the next write.
    const std::string& cellText(int row, int column) const;
    bool setCellText(int row, int column, const std::string& text);
    int iconIndex(int row) const;
    bool setIconIndex(int row, int iconIndex);
    // First row from `fromRow` on whose column-0 text equals `caption` (byte for byte, or
    // folding ASCII letters only when `ignoreCase`), or -1.
    int findRow(const std::string& caption, bool ignoreCase, int fromRow) const;

    std::vector<int> selectedRows() const;  // ascending
    bool isSelected(int row) const;
    bool setSelected(int row, bool selected);
    void clearSelection();
    int currentRow() const { return m_current; }
    // Makes `row` current, or none when it is out of range; returns the current row afterwards.
    int setCurrentRow(int row);

    int imageCount() const { return static_cast<int>(m_images.size()); }
    Image image(int index) const;
    const std::vector<Image>& images() const { return m_images; }
    // Appends a valid image and returns its index; -1 for an invalid one (the list is unchanged).
    int appendImage(const Image& image);
    void setImages(std::vector<Image> images) { m_images = std::move(images); }

private:
    struct Row {
        // The first two columns sit inline, so adding a row allocates nothing for short texts;
        // columns from the third on, when a list has them, go into `more`.
        std::array<std::string, 2> cells;
        std::vector<std::string> more;
        int icon = -1;
        bool selected = false;

        std::string& cell(std::size_t c) { return c < 2 ? cells[c] : more[c - 2]; }
        const std::string& cell(std::size_t c) const { return c < 2 ? cells[c] : more[c - 2]; }
    };
    void initRow(Row& r, const std::string& caption, int iconIndex) const;
    Row& at(int row) { return m_rows[static_cast<std::size_t>(row)]; }
    const Row& at(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    int m_columnCount;
    std::vector<Row> m_rows;
    std::vector<Image> m_images;
    int m_current = -1;
};

// Every image of `list`'s icon list, read one call at a time. Call it with no lock held: it calls
// into `list`, which takes its own.
std::vector<Image> imagesOf(const ListView& list);

}  // namespace lumaro::ui
