#include "ui/list_rows.h"

#include <algorithm>

#include "platform/text/gb_text.h"
#include "ui/list_view.h"

namespace lumaro::ui {

namespace {

const std::string kNoText;

}  // namespace

ListRows::ListRows(int columnCount) : m_columnCount(std::max(columnCount, 0)) {}

void ListRows::initRow(Row& r, const std::string& caption, int iconIndex) const {
    if (m_columnCount > 2) {
        r.more.resize(static_cast<std::size_t>(m_columnCount - 2));
    }
    r.cells[0] = caption;
    r.icon = iconIndex;
}

int ListRows::addRow(const std::string& caption, int iconIndex) {
    initRow(m_rows.emplace_back(), caption, iconIndex);
    return rowCount() - 1;
}

int ListRows::insertRow(int row, const std::string& caption, int iconIndex) {
    if (row < 0 || row > rowCount()) {
        return -1;
    }
    Row r;
    initRow(r, caption, iconIndex);
    m_rows.insert(m_rows.begin() + row, std::move(r));
    if (m_current >= row) {
        ++m_current;
    }
    return row;
}

bool ListRows::removeRow(int row) {
    if (!validRow(row)) {
        return false;
    }
    m_rows.erase(m_rows.begin() + row);
    if (m_current == row) {
        m_current = -1;
    } else if (m_current > row) {
        --m_current;
    }
    return true;
}

void ListRows::clear() {
    m_rows.clear();
    m_current = -1;
}

void ListRows::reset(std::vector<Image> images) {
    std::vector<Row>().swap(m_rows);
    m_current = -1;
    m_images = std::move(images);
}

const std::string& ListRows::cellText(int row, int column) const {
    if (!validRow(row) || !validColumn(column)) {
        return kNoText;
    }
    return at(row).cell(static_cast<std::size_t>(column));
}

bool ListRows::setCellText(int row, int column, const std::string& text) {
    if (!validRow(row) || !validColumn(column)) {
        return false;
    }
    at(row).cell(static_cast<std::size_t>(column)) = text;
    return true;
}

int ListRows::iconIndex(int row) const {
    return validRow(row) ? at(row).icon : -1;
}

bool ListRows::setIconIndex(int row, int iconIndex) {
    if (!validRow(row)) {
        return false;
    }
    at(row).icon = iconIndex;
    return true;
}

int ListRows::findRow(const std::string& caption, bool ignoreCase, int fromRow) const {
    for (int i = std::max(fromRow, 0); i < rowCount(); ++i) {
        const std::string& c = at(i).cells[0];
        if (ignoreCase ? text::equalsIgnoreCase(c, caption) : c == caption) {
            return i;
        }
    }
    return -1;
}

std::vector<int> ListRows::selectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < rowCount(); ++i) {
        if (at(i).selected) {
            rows.push_back(i);
        }
    }
    return rows;
}

bool ListRows::isSelected(int row) const {
    return validRow(row) && at(row).selected;
}

bool ListRows::setSelected(int row, bool selected) {
    if (!validRow(row)) {
        return false;
    }
    at(row).selected = selected;
    return true;
}

void ListRows::clearSelection() {
    for (Row& r : m_rows) {
        r.selected = false;
    }
}

int ListRows::setCurrentRow(int row) {
    m_current = validRow(row) ? row : -1;
    return m_current;
}

Image ListRows::image(int index) const {
    if (index < 0 || index >= imageCount()) {
        return {};
    }
    return m_images[static_cast<std::size_t>(index)];
}

int ListRows::appendImage(const Image& image) {
    if (!image.isValid()) {
        return -1;
    }
    m_images.push_back(image);
    return imageCount() - 1;
}

std::vector<Image> imagesOf(const ListView& list) {
    std::vector<Image> images;
    const int n = list.imageCount();
    images.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        images.push_back(list.image(i));
    }
    return images;
}

}  // namespace lumaro::ui
