#pragma once
// Headless list view: rows, cells, icons, selection and icon list in memory (a ListRows), and
// the column widths; thread-safe: every call takes the control's mutex.
#include <string>
#include <vector>

#include "ui/control_designs.h"
#include "ui/headless/control_base.h"
#include "ui/list_rows.h"
#include "ui/list_view.h"

namespace lumaro::ui::headless {

class ListView : public ControlImpl<ui::ListView> {
public:
    ListView(const AliveFlag& alive, Rect designed, std::vector<ColumnDesign> columns,
             std::vector<Image> designedImages);

    int columnCount() const override;
    std::string columnTitle(int column) const override;
    int columnWidth(int column) const override;
    void setColumnWidth(int column, int width) override;
    void autoSizeColumn(int column) override;

    int addRow(const std::string& caption, int iconIndex) override;
    int insertRow(int row, const std::string& caption, int iconIndex) override;
    void removeRow(int row) override;
    void clear() override;
    int rowCount() const override;
    std::string cellText(int row, int column) const override;
    void setCellText(int row, int column, const std::string& text) override;
    int iconIndex(int row) const override;
    void setIconIndex(int row, int iconIndex) override;
    int findRow(const std::string& caption, bool ignoreCase, int fromRow) const override;

    std::vector<int> selectedRows() const override;
    bool isSelected(int row) const override;
    void setSelected(int row, bool selected) override;
    void clearSelection() override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

    int imageCount() const override;
    Image image(int index) const override;
    int appendImage(const Image& image) override;
    void copyImagesFrom(const ui::ListView& other) override;

    // Back to the designed state: no rows, designed columns and icon list.
    void reset();

    // The user clicks row `row` (-1: empty space): it becomes the only selected row and the
    // current row; raises selectionChanged.
    void userClickRow(int row);
    // The user ctrl-clicks: toggles the row's selection, makes it current; raises selectionChanged.
    void userToggleRow(int row);
    void userDoubleClick();
    void userRightClick(int screenX, int screenY);

private:
    bool validColumn(int column) const {
        return column >= 0 && column < static_cast<int>(m_widths.size());
    }
    // Width a text would take: headless has no font; 7 pixels per byte plus a margin of 12.
    static int textWidth(const std::string& text);

    std::vector<ColumnDesign> m_columns;
    std::vector<Image> m_designedImages;
    std::vector<int> m_widths;  // set from the designed columns each time the window opens
    ListRows m_rows;
};

}  // namespace lumaro::ui::headless
