#include "ui/headless/list_view.h"

#include <algorithm>

#include "platform/text/gb_text.h"

namespace lumaro::ui::headless {

ListView::ListView(const AliveFlag& alive, Rect designed, std::vector<ColumnDesign> columns,
                   std::vector<Image> designedImages)
    : ControlImpl(alive, designed),
      m_columns(std::move(columns)),
      m_designedImages(std::move(designedImages)) {}

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
    const auto c = static_cast<std::size_t>(column);
    int widest = textWidth(m_columns[c].title);
    for (const Row& r : m_rows) {
        widest = std::max(widest, textWidth(r.cells[c]));
    }
    m_widths[c] = widest;
}

int ListView::addRow(const std::string& caption, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return -1;
    }
    Row r;
    r.cells.resize(m_columns.size());
    r.cells[0] = caption;
    r.icon = iconIndex;
    m_rows.push_back(std::move(r));
    return static_cast<int>(m_rows.size()) - 1;
}

int ListView::insertRow(int row, const std::string& caption, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (!alive() || row < 0 || row > static_cast<int>(m_rows.size())) {
        return -1;
    }
    Row r;
    r.cells.resize(m_columns.size());
    r.cells[0] = caption;
    r.icon = iconIndex;
    m_rows.insert(m_rows.begin() + row, std::move(r));
    if (m_current >= row) {
        ++m_current;
    }
    return row;
}

void ListView::removeRow(int row) {
    std::lock_guard lock(m_mutex);
    if (!alive() || !validRow(row)) {
        return;
    }
    m_rows.erase(m_rows.begin() + row);
    if (m_current == row) {
        m_current = -1;
    } else if (m_current > row) {
        --m_current;
    }
}

void ListView::clear() {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_rows.clear();
        m_current = -1;
    }
}

int ListView::rowCount() const {
    std::lock_guard lock(m_mutex);
    return alive() ? static_cast<int>(m_rows.size()) : 0;
}

std::string ListView::cellText(int row, int column) const {
    std::lock_guard lock(m_mutex);
    if (!alive() || !validRow(row) || !validColumn(column)) {
        return {};
    }
    return m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

void ListView::setCellText(int row, int column, const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (alive() && validRow(row) && validColumn(column)) {
        m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = text;
    }
}

int ListView::iconIndex(int row) const {
    std::lock_guard lock(m_mutex);
    return alive() && validRow(row) ? m_rows[static_cast<std::size_t>(row)].icon : -1;
}

void ListView::setIconIndex(int row, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (alive() && validRow(row)) {
        m_rows[static_cast<std::size_t>(row)].icon = iconIndex;
    }
}

int ListView::findRow(const std::string& caption, bool ignoreCase, int fromRow) const {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return -1;
    }
    for (int i = std::max(fromRow, 0); i < static_cast<int>(m_rows.size()); ++i) {
        const std::string& c = m_rows[static_cast<std::size_t>(i)].cells[0];
        if (ignoreCase ? text::equalsIgnoreCase(c, caption) : c == caption) {
            return i;
        }
    }
    return -1;
}

std::vector<int> ListView::selectedRows() const {
    std::lock_guard lock(m_mutex);
    std::vector<int> rows;
    if (!alive()) {
        return rows;
    }
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        if (m_rows[static_cast<std::size_t>(i)].selected) {
            rows.push_back(i);
        }
    }
    return rows;
}

bool ListView::isSelected(int row) const {
    std::lock_guard lock(m_mutex);
    return alive() && validRow(row) && m_rows[static_cast<std::size_t>(row)].selected;
}

void ListView::setSelected(int row, bool selected) {
    std::lock_guard lock(m_mutex);
    if (alive() && validRow(row)) {
        m_rows[static_cast<std::size_t>(row)].selected = selected;
    }
}

void ListView::clearSelection() {
    std::lock_guard lock(m_mutex);
    if (!alive()) {
        return;
    }
    for (Row& r : m_rows) {
        r.selected = false;
    }
}

int ListView::currentRow() const {
    std::lock_guard lock(m_mutex);
    return alive() ? m_current : -1;
}

void ListView::setCurrentRow(int row) {
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_current = validRow(row) ? row : -1;
    }
}

int ListView::imageCount() const {
    std::lock_guard lock(m_mutex);
    return alive() ? static_cast<int>(m_images.size()) : 0;
}

Image ListView::image(int index) const {
    std::lock_guard lock(m_mutex);
    if (!alive() || index < 0 || index >= static_cast<int>(m_images.size())) {
        return {};
    }
    return m_images[static_cast<std::size_t>(index)];
}

int ListView::appendImage(const Image& image) {
    std::lock_guard lock(m_mutex);
    if (!alive() || !image.isValid()) {
        return -1;
    }
    m_images.push_back(image);
    return static_cast<int>(m_images.size()) - 1;
}

void ListView::copyImagesFrom(const ui::ListView& other) {
    if (&other == this) {
        return;
    }
    std::vector<Image> images;
    const int n = other.imageCount();
    images.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        images.push_back(other.image(i));
    }
    std::lock_guard lock(m_mutex);
    if (alive()) {
        m_images = std::move(images);
    }
}

void ListView::reset() {
    resetControl();
    std::lock_guard lock(m_mutex);
    m_widths.clear();
    for (const ColumnDesign& c : m_columns) {
        m_widths.push_back(c.width);
    }
    m_rows.clear();
    m_images = m_designedImages;
    m_current = -1;
}

void ListView::userClickRow(int row) {
    {
        std::lock_guard lock(m_mutex);
        if (!alive()) {
            return;
        }
        for (Row& r : m_rows) {
            r.selected = false;
        }
        m_current = validRow(row) ? row : -1;
        if (m_current >= 0) {
            m_rows[static_cast<std::size_t>(row)].selected = true;
        }
    }
    selectionChanged.fire();
}

void ListView::userToggleRow(int row) {
    {
        std::lock_guard lock(m_mutex);
        if (!alive() || !validRow(row)) {
            return;
        }
        Row& r = m_rows[static_cast<std::size_t>(row)];
        r.selected = !r.selected;
        m_current = row;
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
