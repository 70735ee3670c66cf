#include "marketvalue/valuesmodel.h"

#include <QFont>
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
    names_.clear();
    endResetModel();
}

const QString& ValuesModel::name(int row) const
{
    if (names_.isEmpty()) {
        names_.reserve(static_cast<qsizetype>(values_->rows.size()));
        for (const ValueRow& each : values_->rows)
            names_.append(gui::toQt(displayName(each.agent.name)));
    }
    return names_[row];
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
        if (!row.offers.isSigned())
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

ValuesFilter::ValuesFilter(ValuesModel* model, QObject* parent) : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(model);
}

void ValuesFilter::setNamePart(const QString& part)
{
    namePart_ = part;
    invalidateFilter();
}

void ValuesFilter::setGroup(char group)
{
    group_ = group;
    invalidateFilter();
}

bool ValuesFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const ValueRow& row = model_->values()->rows[static_cast<std::size_t>(sourceRow)];
    return (group_ == 0 || row.agent.group == group_) &&
           (namePart_.isEmpty() || model_->name(sourceRow).contains(namePart_, Qt::CaseInsensitive));
}

bool ValuesFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const MarketValues& values = *model_->values();
    return valueCellLess(values, values.rows[static_cast<std::size_t>(left.row())],
                         values.rows[static_cast<std::size_t>(right.row())], left.column());
}

} // namespace bidmark
