#pragma once
#include <memory>
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>

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
    const QString& name(int row) const; // made for every row at the first call

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const MarketValues> values_;
    mutable QStringList names_; // for the name filter
};

// The rows the window shows: narrowed by a piece of the name (case ignored)
// and a position group, sorted by the model's values rather than their text.
class ValuesFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ValuesFilter(ValuesModel* model, QObject* parent = nullptr);

    void setNamePart(const QString& part);
    void setGroup(char group); // 0: every group

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ValuesModel* model_;
    QString namePart_;
    char group_ = 0;
};

} // namespace bidmark
