#include "marketvalue/valuesmodel.h"

#include <QFont>
#include <string_view>
#include <utility>

#include "gui/text.h"
#include "marketvalue/valuetable.h"

namespace bidmark {

namespace {
// What each column means, shown over its head.
const char* const kColumnMeanings[kValueColumns] = {
    "The free agent's name in fa.txt",
    "His age",
    "His position group: F forward, D defence, G goalie",
    "His overall rating",
    "The rostered players in his bracket: his position group, within 2 years of his age and 4 points "
    "of his overall",
    "The highest salary in his bracket, in millions",
    "The lowest salary in his bracket, in millions",
    "The average salary of his bracket, or of its players of his exact overall when that is higher",
    "His last salary, in millions",
    "His market value, in millions",
    "How many teams have an offer standing for him in fa.txt",
    "The standing offer with the highest yearly salary: team, salary/years, bonus; for a signed player "
    "the contract he signed",
    "Which rule made the market value",
};
} // namespace

void ValuesModel::setValues(std::shared_ptr<const MarketValues> values)
{
    beginResetModel();
    values_ = std::move(values);
    foldedNames_.clear();
    nameEnds_.clear();
    endResetModel();
}

std::u16string_view ValuesModel::foldedName(std::size_t row) const
{
    if (nameEnds_.empty()) {
        for (const ValueRow& each : values_->rows) {
            const QString name = gui::toQt(displayName(each.agent.name)).toCaseFolded();
            foldedNames_.append(reinterpret_cast<const char16_t*>(name.utf16()),
                                static_cast<std::size_t>(name.size()));
            nameEnds_.push_back(foldedNames_.size());
        }
    }
    const std::size_t start = row == 0 ? 0 : nameEnds_[row - 1];
    return std::u16string_view(foldedNames_).substr(start, nameEnds_[row] - start);
}

int ValuesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !values_ ? 0 : static_cast<int>(values_->rows.size());
}

int ValuesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kValueColumns;
}

QVariant ValuesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !values_)
        return {};
    const ValueRow& row = values_->rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return gui::toQt(valueCell(*values_, row, index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (isNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::FontRole: { // a signed player stands in italics
        if (!row.offers().isSigned())
            return {};
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    case Qt::ToolTipRole:
        return index.column() == kRuleColumn ? gui::toQt(valueExplanation(*values_, row)) : QVariant();
    default:
        return {};
    }
}

QVariant ValuesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kValueColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return gui::toQt(valueColumnTitle(section));
    if (role == Qt::ToolTipRole)
        return QString::fromLatin1(kColumnMeanings[section]);
    return {};
}

ValuesFilter::ValuesFilter(ValuesModel* model, QObject* parent) : QAbstractProxyModel(parent), model_(model)
{
    setSourceModel(model);
    // A new run: its rows in the order of the column sorted by.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &ValuesFilter::beginResetModel);
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        order_ = model_->values() ? sortedRows(*model_->values(), sortColumn_, sortOrder_ == Qt::DescendingOrder)
                                  : std::vector<std::size_t>();
        showRows();
        endResetModel();
    });
}

void ValuesFilter::setNamePart(const QString& part)
{
    beginResetModel();
    foldedPart_ = part.toCaseFolded(); // as a search with case ignored compares
    showRows();
    endResetModel();
}

void ValuesFilter::setGroup(char group)
{
    beginResetModel();
    group_ = group;
    showRows();
    endResetModel();
}

// The names are looked at in fa.txt order, one after the other in memory,
// whatever the order shown.
void ValuesFilter::showRows()
{
    shown_.clear();
    position_.assign(order_.size(), -1);
    if (!model_->values())
        return;
    const std::vector<ValueRow>& rows = model_->values()->rows;
    const std::u16string_view part(reinterpret_cast<const char16_t*>(foldedPart_.utf16()),
                                   static_cast<std::size_t>(foldedPart_.size()));
    std::vector<bool> accepted(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        accepted[row] = (group_ == 0 || rows[row].agent.group == group_) &&
                        (part.empty() || model_->foldedName(row).find(part) != std::u16string_view::npos);
    }
    for (const std::size_t row : order_) {
        if (accepted[row]) {
            position_[row] = static_cast<int>(shown_.size());
            shown_.push_back(static_cast<int>(row));
        }
    }
}

void ValuesFilter::sort(int column, Qt::SortOrder order)
{
    if (column == sortColumn_ && order == sortOrder_)
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    if (!model_->values())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList sources;
    for (const QModelIndex& index : before)
        sources << mapToSource(index);
    order_ = sortedRows(*model_->values(), column, order == Qt::DescendingOrder);
    showRows();
    QModelIndexList after;
    for (const QModelIndex& source : sources)
        after << mapFromSource(source);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QModelIndex ValuesFilter::index(int row, int column, const QModelIndex& parent) const
{
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

QModelIndex ValuesFilter::parent(const QModelIndex&) const { return {}; }

int ValuesFilter::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int ValuesFilter::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kValueColumns; }

bool ValuesFilter::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

QModelIndex ValuesFilter::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid())
        return {};
    return model_->index(shown_[static_cast<std::size_t>(proxyIndex.row())], proxyIndex.column());
}

QModelIndex ValuesFilter::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    const int row = position_[static_cast<std::size_t>(sourceIndex.row())];
    return row < 0 ? QModelIndex() : index(row, sourceIndex.column());
}

// The column heads are the source's own, also while no row is shown.
QVariant ValuesFilter::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal)
        return model_->headerData(section, orientation, role);
    return QAbstractProxyModel::headerData(section, orientation, role);
}

} // namespace bidmark
