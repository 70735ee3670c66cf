#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <QAbstractProxyModel>
#include <QAbstractTableModel>

#include "marketvalue/values.h"

namespace bidmark {

// The market values of one run as a table: one row per free agent in fa.txt
// order, the columns of valuetable.h. Cells are made when a view asks for
// them, so a large league fills the table at once.
class ValuesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setValues(std::shared_ptr<const MarketValues> values);
    const MarketValues* values() const { return values_.get(); }
    // The row's name case-folded, for the name filter; made for every row at
    // the first call, all in one piece of memory.
    std::u16string_view foldedName(std::size_t row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const MarketValues> values_;
    mutable std::u16string foldedNames_;
    mutable std::vector<std::size_t> nameEnds_; // in foldedNames_, of each row
};

// The rows the window shows: narrowed by a piece of the name (case ignored)
// and a position group, in the order of the column sorted by (fa.txt order
// when none). The order is worked out once per sort; a change of the filter
// only passes over it again, so a key typed into the name filter costs one
// look at each name however large the league, and no sort.
class ValuesFilter : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit ValuesFilter(ValuesModel* model, QObject* parent = nullptr);

    // A change of the filter is a reset of the rows shown (the source model
    // stays as it is): nothing is selected afterwards.
    void setNamePart(const QString& part);
    void setGroup(char group); // 0: every group

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Column -1: fa.txt order. The selection stays on its rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void showRows(); // the shown rows again from the order and the filter

    ValuesModel* model_;
    QString foldedPart_; // of the name filter
    char group_ = 0;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::vector<std::size_t> order_; // every row of the run, sorted
    std::vector<int> shown_;         // the rows shown, in order
    std::vector<int> position_;      // of each row of the run: its place in shown_, or -1
};

} // namespace bidmark
