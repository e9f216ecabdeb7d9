#include "ui/qt/list_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "ui/qt/artwork.h"
#include "ui/qt/text_bridge.h"

namespace lumaro::ui::qt {

namespace {

// Raises the double-click event for a double-click anywhere on the list's window.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, ui::ListView& list) : QObject(parent), m_list(list) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // Let the view update its selection and current row first.
            const bool handled = QObject::eventFilter(watched, event);
            m_list.doubleClicked.fire();
            return handled;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ui::ListView& m_list;
};

}  // namespace

// --- RowModel

int RowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int RowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_owner.columnsForView();
}

QVariant RowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return m_owner.cellForView(index.row(), index.column());
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        const QIcon icon = m_owner.iconForView(index.row());
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    return {};
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return m_owner.titleForView(section);
    }
    return {};
}

void RowModel::insertRowsAt(int row, int count) {
    beginInsertRows(QModelIndex(), row, row + count - 1);
    m_rows += count;
    endInsertRows();
}

void RowModel::removeRowAt(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    --m_rows;
    endRemoveRows();
}

void RowModel::resetRows(int count) {
    beginResetModel();
    m_rows = count;
    endResetModel();
}

void RowModel::rowsChanged(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, m_rows - 1);
    if (first <= last) {
        emit dataChanged(index(first, 0), index(last, columnCount(QModelIndex()) - 1));
    }
}

// --- ListView

ListView::ListView(UiThread& ui, std::vector<ColumnDesign> columns,
                   std::vector<Image> designedImages)
    : ControlWrapper(ui),
      m_columns(std::move(columns)),
      m_designedImages(std::move(designedImages)),
      m_rows(static_cast<int>(m_columns.size())) {}

void ListView::create(QWidget* parent, Rect r, const ListLook& look) {
    {
        std::lock_guard lock(m_mutex);
        m_attached = true;
        m_rows.reset(m_designedImages);
        m_ops.clear();
        m_dataDirty = false;
        m_imagesReplaced = true;
        m_drainPosted = false;
    }
    auto* view = new QTreeView(parent);
    view->setGeometry(r.left, r.top, r.width, r.height);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setSortingEnabled(false);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setIconSize(QSize(16, 16));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Text, look.text);
    pal.setColor(QPalette::Base, look.background);
    if (!look.selectionVisibleWithoutFocus) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, look.background);
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, look.text);
    }
    view->setPalette(pal);

    m_model = new RowModel(*this, view);
    view->setModel(m_model);
    for (int c = 0; c < static_cast<int>(m_columns.size()); ++c) {
        view->setColumnWidth(c, m_columns[static_cast<std::size_t>(c)].width);
    }
    setWidget(view);
    m_icons.clear();
    drain();

    QObject::connect(view, &QObject::destroyed, [this] { onViewDestroyed(); });
    QObject::connect(
        view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
        [this](const QItemSelection& s, const QItemSelection& d) { onUserSelection(s, d); });
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                     [this](const QModelIndex& c, const QModelIndex&) { onUserCurrent(c); });
    QObject::connect(view, &QWidget::customContextMenuRequested, view, [this, view](QPoint p) {
        const QPoint g = view->viewport()->mapToGlobal(p);
        rightClicked.fire(g.x(), g.y());
    });
    view->viewport()->installEventFilter(new DoubleClickFilter(view, *this));
}

QWidget* ListView::viewportWidget() const {
    return m_widget ? m_widget->viewport() : nullptr;
}

void ListView::onViewDestroyed() {
    std::lock_guard lock(m_mutex);
    m_attached = false;
    m_rows.reset({});
    m_ops.clear();
}

// --- columns: the widget knows them

int ListView::columnCount() const {
    std::lock_guard lock(m_mutex);
    return m_attached ? static_cast<int>(m_columns.size()) : 0;
}

std::string ListView::columnTitle(int column) const {
    std::lock_guard lock(m_mutex);
    return m_attached && validColumn(column) ? m_columns[static_cast<std::size_t>(column)].title
                                             : std::string();
}

int ListView::columnWidth(int column) const {
    return call([this, column] {
        if (!m_widget || !validColumn(column)) {
            return 0;
        }
        const_cast<ListView*>(this)->drain();
        return m_widget->columnWidth(column);
    });
}

void ListView::setColumnWidth(int column, int width) {
    call([this, column, width] {
        if (m_widget && validColumn(column)) {
            drain();
            m_widget->setColumnWidth(column, std::max(width, 0));
        }
    });
}

void ListView::autoSizeColumn(int column) {
    call([this, column] {
        if (m_widget && validColumn(column)) {
            drain();
            m_widget->resizeColumnToContents(column);
        }
    });
}

// --- rows: the shadow store

void ListView::requestDrain() {
    if (!m_drainPosted) {
        m_drainPosted = true;
        m_ui.post([this] { drainSoon(); });
    }
}

void ListView::drainSoon() {
    // While a worker streams rows, telling the view at most every kDrainInterval keeps the
    // user-interface thread (and its re-layout of every row) from competing with the worker.
    const auto now = std::chrono::steady_clock::now();
    const auto since = now - m_lastDrain;
    if (since >= kDrainInterval || !m_widget) {
        drain();
        return;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kDrainInterval - since);
    QTimer::singleShot(static_cast<int>(wait.count()) + 1, m_widget, [this] { drain(); });
}

void ListView::pushOp(Op op) {
    if (op.kind == OpKind::Insert && !m_ops.empty()) {
        Op& last = m_ops.back();
        if (last.kind == OpKind::Insert && last.row + last.count == op.row) {
            last.count += op.count;
            return;
        }
    }
    if (op.kind == OpKind::Clear) {
        // Nothing before a clear matters to the view any more.
        m_ops.clear();
    }
    m_ops.push_back(op);
    requestDrain();
}

void ListView::markDataDirty(int firstRow, int lastRow) {
    if (!m_dataDirty) {
        m_dirtyFirst = firstRow;
        m_dirtyLast = lastRow;
    } else {
        m_dirtyFirst = std::min(m_dirtyFirst, firstRow);
        m_dirtyLast = std::max(m_dirtyLast, lastRow);
    }
    m_dataDirty = true;
    requestDrain();
}

int ListView::addRow(const std::string& caption, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (!m_attached) {
        return -1;
    }
    const int row = m_rows.addRow(caption, iconIndex);
    pushOp({OpKind::Insert, row, 1});
    return row;
}

int ListView::insertRow(int row, const std::string& caption, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (!m_attached || m_rows.insertRow(row, caption, iconIndex) < 0) {
        return -1;
    }
    pushOp({OpKind::Insert, row, 1});
    return row;
}

void ListView::removeRow(int row) {
    std::lock_guard lock(m_mutex);
    if (m_attached && m_rows.removeRow(row)) {
        pushOp({OpKind::Remove, row, 1});
    }
}

void ListView::clear() {
    std::lock_guard lock(m_mutex);
    if (m_attached) {
        m_rows.clear();
        pushOp({OpKind::Clear, 0, 0});
    }
}

int ListView::rowCount() const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.rowCount() : 0;
}

std::string ListView::cellText(int row, int column) const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.cellText(row, column) : std::string();
}

void ListView::setCellText(int row, int column, const std::string& text) {
    std::lock_guard lock(m_mutex);
    if (m_attached && m_rows.setCellText(row, column, text)) {
        markDataDirty(row, row);
    }
}

int ListView::iconIndex(int row) const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.iconIndex(row) : -1;
}

void ListView::setIconIndex(int row, int iconIndex) {
    std::lock_guard lock(m_mutex);
    if (m_attached && m_rows.setIconIndex(row, iconIndex)) {
        markDataDirty(row, row);
    }
}

int ListView::findRow(const std::string& caption, bool ignoreCase, int fromRow) const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.findRow(caption, ignoreCase, fromRow) : -1;
}

// --- selection

std::vector<int> ListView::selectedRows() const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.selectedRows() : std::vector<int>();
}

bool ListView::isSelected(int row) const {
    std::lock_guard lock(m_mutex);
    return m_attached && m_rows.isSelected(row);
}

void ListView::setSelected(int row, bool selected) {
    std::lock_guard lock(m_mutex);
    if (m_attached && m_rows.setSelected(row, selected)) {
        pushOp({OpKind::Select, row, selected ? 1 : 0});
    }
}

void ListView::clearSelection() {
    std::lock_guard lock(m_mutex);
    if (m_attached) {
        m_rows.clearSelection();
        pushOp({OpKind::ClearSelection, 0, 0});
    }
}

int ListView::currentRow() const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.currentRow() : -1;
}

void ListView::setCurrentRow(int row) {
    std::lock_guard lock(m_mutex);
    if (m_attached) {
        pushOp({OpKind::Current, m_rows.setCurrentRow(row), 0});
    }
}

// --- icon list

int ListView::imageCount() const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.imageCount() : 0;
}

Image ListView::image(int index) const {
    std::lock_guard lock(m_mutex);
    return m_attached ? m_rows.image(index) : Image();
}

int ListView::appendImage(const Image& image) {
    std::lock_guard lock(m_mutex);
    const int index = m_attached ? m_rows.appendImage(image) : -1;
    if (index >= 0) {
        markDataDirty(0, m_rows.rowCount() - 1);
    }
    return index;
}

void ListView::copyImagesFrom(const ui::ListView& other) {
    if (&other == this) {
        return;
    }
    std::vector<Image> images = imagesOf(other);
    std::lock_guard lock(m_mutex);
    if (!m_attached) {
        return;
    }
    m_rows.setImages(std::move(images));
    m_imagesReplaced = true;
    markDataDirty(0, m_rows.rowCount() - 1);
}

// --- the drain (UI thread)

void ListView::applyOp(const Op& op) {
    QItemSelectionModel* sel = m_widget ? m_widget->selectionModel() : nullptr;
    const int rows = m_model->modelRows();
    switch (op.kind) {
        case OpKind::Insert:
            m_model->insertRowsAt(op.row, op.count);
            break;
        case OpKind::Remove:
            if (op.row < rows) {
                m_model->removeRowAt(op.row);
            }
            break;
        case OpKind::Clear:
            m_model->resetRows(0);
            break;
        case OpKind::Select:
            if (sel != nullptr && op.row < rows) {
                sel->select(
                    m_model->index(op.row, 0),
                    (op.count != 0 ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                        QItemSelectionModel::Rows);
            }
            break;
        case OpKind::ClearSelection:
            if (sel != nullptr) {
                sel->clearSelection();
            }
            break;
        case OpKind::Current:
            if (sel != nullptr) {
                sel->setCurrentIndex(
                    op.row >= 0 && op.row < rows ? m_model->index(op.row, 0) : QModelIndex(),
                    QItemSelectionModel::NoUpdate);
            }
            break;
    }
}

void ListView::drain() {
    if (!m_model) {
        return;
    }
    m_lastDrain = std::chrono::steady_clock::now();
    std::vector<Op> ops;
    bool dataDirty = false;
    int dirtyFirst = 0;
    int dirtyLast = -1;
    bool imagesReplaced = false;
    std::vector<Image> newImages;
    int shadowRows = 0;
    {
        std::lock_guard lock(m_mutex);
        ops.swap(m_ops);
        dataDirty = m_dataDirty;
        dirtyFirst = m_dirtyFirst;
        dirtyLast = m_dirtyLast;
        imagesReplaced = m_imagesReplaced;
        m_dataDirty = false;
        m_imagesReplaced = false;
        m_drainPosted = false;
        const std::vector<Image>& images = m_rows.images();
        const std::size_t from = imagesReplaced ? 0 : m_icons.size();
        if (from < images.size()) {
            newImages.assign(images.begin() + static_cast<std::ptrdiff_t>(from), images.end());
        }
        shadowRows = m_rows.rowCount();
    }
    if (imagesReplaced) {
        m_icons.clear();
    }
    for (const Image& img : newImages) {
        m_icons.emplace_back(QPixmap::fromImage(toQImage(img)));
    }
    m_applying = true;
    for (const Op& op : ops) {
        applyOp(op);
    }
    // A model that somehow drifted from the store is brought back in one reset.
    if (m_model->modelRows() != shadowRows) {
        m_model->resetRows(shadowRows);
    }
    if (imagesReplaced || !newImages.empty()) {
        m_model->rowsChanged(0, m_model->modelRows() - 1);
    } else if (dataDirty) {
        // Row numbers may have moved since; a change reported a little wide only repaints more.
        m_model->rowsChanged(dirtyFirst, dirtyLast);
    }
    m_applying = false;
}

QVariant ListView::cellForView(int row, int column) const {
    std::lock_guard lock(m_mutex);
    if (!m_rows.validRow(row) || !m_rows.validColumn(column)) {
        return {};
    }
    return toQString(m_rows.cellText(row, column));
}

QIcon ListView::iconForView(int row) const {
    int icon = -1;
    {
        std::lock_guard lock(m_mutex);
        icon = m_rows.iconIndex(row);
    }
    if (icon < 0 || icon >= static_cast<int>(m_icons.size())) {
        return {};
    }
    return m_icons[static_cast<std::size_t>(icon)];
}

QString ListView::titleForView(int column) const {
    return validColumn(column) ? toQString(m_columns[static_cast<std::size_t>(column)].title)
                               : QString();
}

// --- the user's own selection flows back into the store

void ListView::onUserSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_applying) {
        return;
    }
    bool resync = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_ops.empty()) {
            resync = true;  // row numbers of the view lag the store: settle first
        } else {
            auto mark = [this](const QItemSelection& s, bool value) {
                for (const QItemSelectionRange& range : s) {
                    for (int r = range.top(); r <= range.bottom(); ++r) {
                        m_rows.setSelected(r, value);
                    }
                }
            };
            mark(deselected, false);
            mark(selected, true);
        }
    }
    if (resync) {
        // Settle outside the selection model's own signal, then tell the handlers.
        m_ui.post([this] {
            resyncFromView();
            selectionChanged.fire();
        });
        return;
    }
    selectionChanged.fire();
}

void ListView::onUserCurrent(const QModelIndex& current) {
    if (m_applying) {
        return;
    }
    bool resync = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_ops.empty()) {
            resync = true;
        } else {
            m_rows.setCurrentRow(current.isValid() ? current.row() : -1);
        }
    }
    if (resync) {
        m_ui.post([this] { resyncFromView(); });
    }
}

void ListView::resyncFromView() {
    drain();
    if (!m_widget) {
        return;
    }
    QItemSelectionModel* sel = m_widget->selectionModel();
    std::lock_guard lock(m_mutex);
    const int rows = std::min(m_model->modelRows(), m_rows.rowCount());
    for (int r = 0; r < rows; ++r) {
        m_rows.setSelected(r, sel->isRowSelected(r, QModelIndex()));
    }
    const QModelIndex cur = sel->currentIndex();
    m_rows.setCurrentRow(cur.isValid() ? cur.row() : -1);
}

}  // namespace lumaro::ui::qt
