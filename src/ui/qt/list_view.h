#pragma once
// The Qt-bound list view: a QTreeView in report mode over a table model.
//
// Threads and batching: the rows live in a shadow store (a ListRows) guarded by a mutex, which
// every interface call reads and writes directly, from any thread; so a read always sees every
// write before it. Writes also record what the view must learn (rows inserted or removed, cells
// changed, selection) and post ONE drain to the user-interface thread per batch; the drain tells
// the model, which reads cell texts and icons from the shadow store when the view paints. A worker
// filling 100 000 rows thus costs a few locked vector operations per row, not a blocking
// cross-thread call per cell. What only the widget knows (column widths, geometry) is read by a
// blocking call that drains first.
#include <QAbstractTableModel>
#include <QIcon>
#include <QTreeView>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "ui/control_designs.h"
#include "ui/list_rows.h"
#include "ui/list_view.h"
#include "ui/qt/control_wrapper.h"
#include "ui/qt/spin_mutex.h"

namespace lumaro::ui::qt {

class ListView;

// The model the view shows; UI thread only.
class RowModel : public QAbstractTableModel {
public:
    RowModel(ListView& owner, QObject* parent) : QAbstractTableModel(parent), m_owner(owner) {}
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Structural changes, told by the drain.
    void insertRowsAt(int row, int count);
    void removeRowAt(int row);
    void resetRows(int count);
    void rowsChanged(int first, int last);
    int modelRows() const { return m_rows; }

private:
    ListView& m_owner;
    int m_rows = 0;
};

struct ListLook {
    QColor text;
    QColor background;
    bool selectionVisibleWithoutFocus;
};

class ListView : public ControlWrapper<ui::ListView, QTreeView> {
public:
    ListView(UiThread& ui, std::vector<ColumnDesign> columns, std::vector<Image> designedImages);

    // Builds the view with its designed columns, icon list and look; UI thread.
    void create(QWidget* parent, Rect place, const ListLook& look);
    QWidget* viewportWidget() const;
    RowModel* model() const { return m_model; }

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

    // Applies every pending change to the model and the view; UI thread.
    void drain();

    // For the model (UI thread): the shown value of a cell, the icon of a row.
    QVariant cellForView(int row, int column) const;
    QIcon iconForView(int row) const;
    QString titleForView(int column) const;
    int columnsForView() const { return static_cast<int>(m_columns.size()); }

private:
    enum class OpKind { Insert, Remove, Clear, Select, ClearSelection, Current };
    struct Op {
        OpKind kind;
        int row;
        int count;  // Insert: rows; Select: 1 select / 0 deselect
    };

    bool validColumn(int column) const {
        return column >= 0 && column < static_cast<int>(m_columns.size());
    }
    // Records an op and posts a drain when none is pending; m_mutex held.
    void pushOp(Op op);
    void markDataDirty(int firstRow, int lastRow);
    void requestDrain();
    void drainSoon();
    void onViewDestroyed();
    void onUserSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void onUserCurrent(const QModelIndex& current);
    void resyncFromView();
    void applyOp(const Op& op);

    std::vector<ColumnDesign> m_columns;
    std::vector<Image> m_designedImages;

    // Shadow store: any thread, under m_mutex.
    mutable SpinMutex m_mutex;
    bool m_attached = false;
    ListRows m_rows;
    std::vector<Op> m_ops;
    bool m_dataDirty = false;
    int m_dirtyFirst = 0;  // rows whose cells or icons changed since the last drain
    int m_dirtyLast = -1;
    bool m_imagesReplaced = false;
    bool m_drainPosted = false;

    // UI thread only.
    QPointer<RowModel> m_model;
    std::vector<QIcon> m_icons;
    bool m_applying = false;
    std::chrono::steady_clock::time_point m_lastDrain{};
    static constexpr std::chrono::milliseconds kDrainInterval{5};
};

}  // namespace lumaro::ui::qt
