#include "ui/headless/list_view.h"

#include <algorithm>

namespace lumaro::ui::headless {

ListView::ListView(const AliveFlag& alive, Rect designed, std::vector<ColumnDesign> columns,
                   std::vector<Image> designedImages)
    : ControlImpl(alive, designed),
      m_columns(std::move(columns)),
      m_designedImages(std::move(designedImages)),
      m_rows(static_cast<int>(m_columns.size())) {}

int ListView::columnCount() const {
    std::lock_guard lock(m_mutex);
    return alive() ? static_cast<int>(m_widths.size()) : 0;
}

std::string ListView::columnTitle(int column) const {
    std::lock_guard lock(m_mutex);
    return alive() && validColumn(column) ? m_columns[static_cast<std::size_t>(column)].title
                                          : std::string();
}

int ListView::columnWidth(int column) const {
    std::lock_guard lock(m_mutex);
    return alive() && validColumn(column) ? m_widths[static_cast<std::size_t>(column)] : 0;
}

void ListView::setColumnWidth(int column, int width) {
    std::lock_guard lock(m_mutex);
    if (alive() && validColumn(column)) {
        m_widths[static_cast<std::size_t>(column)] = std::max(width, 0);
    }
}

int ListView::textWidth(const std::string& text) {
    return static_cast<int>(text.size()) * 7 + 12;
}

void ListView::autoSizeColumn(int column) {
    std::lock_guard lock(m_mutex);
    if (!alive() || !validColumn(column)) {
        return;
    }
    int widest = textWidth(m_columns[static_cast<std::size_t>(column)].title);
    for (int row = 0; row < m_rows.rowCount(); ++row) {
        widest = std::max(widest, textWidth(m_rows.cellText(row, column)));
    }
    m_widths[static_cast<std::size_t>(column)] = widest;
}

int ListView::addRow(const std::string& caption, int iconIndex) {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.addRow(caption, iconIndex) : -1;
}

int ListView::insertRow(int row, const std::string& caption, int iconIndex) {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.insertRow(row, caption, iconIndex) : -1;
}

void ListView::removeRow(int row) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.removeRow(row);
    }
}

void ListView::clear() {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.clear();
    }
}

int ListView::rowCount() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.rowCount() : 0;
}

std::string ListView::cellText(int row, int column) const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.cellText(row, column) : std::string();
}

void ListView::setCellText(int row, int column, const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.setCellText(row, column, text);
    }
}

int ListView::iconIndex(int row) const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.iconIndex(row) : -1;
}

void ListView::setIconIndex(int row, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.setIconIndex(row, iconIndex);
    }
}

int ListView::findRow(const std::string& caption, bool ignoreCase, int fromRow) const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.findRow(caption, ignoreCase, fromRow) : -1;
}

std::vector<int> ListView::selectedRows() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.selectedRows() : std::vector<int>();
}

bool ListView::isSelected(int row) const {
    std::lock_guard lock(m_mutex);
    return alive() && m_rows.isSelected(row);
}

void ListView::setSelected(int row, bool selected) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.setSelected(row, selected);
    }
}

void ListView::clearSelection() {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.clearSelection();
    }
}

int ListView::currentRow() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.currentRow() : -1;
}

void ListView::setCurrentRow(int row) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.setCurrentRow(row);
    }
}

int ListView::imageCount() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.imageCount() : 0;
}

Image ListView::image(int index) const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.image(index) : Image();
}

int ListView::appendImage(const Image& image) {
    std::lock_guard lock(m_mutex);
    return alive() ? m_rows.appendImage(image) : -1;
}

void ListView::copyImagesFrom(const ui::ListView& other) {
    if (&other == this) {
        return;
    }
    std::vector<Image> images = imagesOf(other);
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.setImages(std::move(images));
    }
}

void ListView::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_widths.clear();
    for (const ColumnDesign& c : m_columns) {
        m_widths.push_back(c.width);
    }
    m_rows.reset(m_designedImages);
}

void ListView::userClickRow(int row) {
    {
        std::lock_guard lock(m_mutex);
        if (!alive()) {
            return;
        }
        m_rows.clearSelection();
        m_rows.setSelected(m_rows.setCurrentRow(row), true);
    }
    selectionChanged.fire();
}

void ListView::userToggleRow(int row) {
    {
        std::lock_guard lock(m_mutex);
        if (!alive() || !m_rows.validRow(row)) {
            return;
        }
        m_rows.setSelected(row, !m_rows.isSelected(row));
        m_rows.setCurrentRow(row);
    }
    selectionChanged.fire();
}

void ListView::userDoubleClick() {
    if (isEnabled()) {
        doubleClicked.fire();
    }
}

void ListView::userRightClick(int screenX, int screenY) {
    if (isEnabled()) {
        rightClicked.fire(screenX, screenY);
    }
}

}  // namespace lumaro::ui::headless
