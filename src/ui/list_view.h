#pragma once
// ListView: a list view in report mode (rows of text cells, an icon per row, columns with
// titles and widths) with its icon list.
//
// Threads: every method may be called from any thread (see Control). A read always sees every
// write made before it, from any thread. Rows never sort themselves: they stay in the order in
// which they are added or inserted. Row and column indices count from 0; an index out of range
// makes a write do nothing and a read return the empty value ("" / -1 / false).
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/image.h"

namespace lumaro::ui {

class ListView : public Control {
public:
    // --- columns
    virtual int columnCount() const = 0;
    virtual std::string columnTitle(int column) const = 0;
    virtual int columnWidth(int column) const = 0;
    virtual void setColumnWidth(int column, int width) = 0;
    // Sizes the column to its widest content (cells and title).
    virtual void autoSizeColumn(int column) = 0;

    // --- rows. Texts are GB18030.
    // Appends a row whose column 0 is `caption` and whose icon is `iconIndex` (-1: no icon);
    // the other cells are empty. Returns the new row's index.
    virtual int addRow(const std::string& caption, int iconIndex) = 0;
    // Inserts a row before `row` (row == rowCount() appends); returns its index, or -1 when `row`
    // is out of range. Rows below move down by one, with their selection.
    virtual int insertRow(int row, const std::string& caption, int iconIndex) = 0;
    virtual void removeRow(int row) = 0;
    // Removes every row (the icon list stays).
    virtual void clear() = 0;
    virtual int rowCount() const = 0;
    virtual std::string cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, const std::string& text) = 0;
    virtual int iconIndex(int row) const = 0;
    virtual void setIconIndex(int row, int iconIndex) = 0;
    // First row from `fromRow` on whose column-0 text equals `caption` (byte for byte, or
    // ignoring ASCII letter case only when `ignoreCase`), or -1.
    virtual int findRow(const std::string& caption, bool ignoreCase, int fromRow = 0) const = 0;

    // --- selection (several rows may be selected) and current row (-1: none)
    virtual std::vector<int> selectedRows() const = 0;  // ascending
    virtual bool isSelected(int row) const = 0;
    virtual void setSelected(int row, bool selected) = 0;
    virtual void clearSelection() = 0;
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;

    // --- icon list
    virtual int imageCount() const = 0;
    virtual Image image(int index) const = 0;
    // Appends one image at the end of the icon list as one whole operation and returns its index
    // (the count afterwards minus 1), or -1 when the image is not valid (the list is unchanged).
    virtual int appendImage(const Image& image) = 0;
    // Replaces this list's icon list by a copy of `other`'s (used once, when the window is
    // created, before any row is added).
    virtual void copyImagesFrom(const ListView& other) = 0;

    // --- events, raised by the user (never by the writes above)
    Event<> doubleClicked;
    // Right mouse button pressed anywhere on the list; x,y are the pointer in screen pixels.
    Event<int, int> rightClicked;
    // The user changed the selection.
    Event<> selectionChanged;
};

}  // namespace lumaro::ui
