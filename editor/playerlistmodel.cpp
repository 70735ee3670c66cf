#include "editor/playerlistmodel.h"

#include "gui/text.h"

namespace bidmark {

QString shownLine(std::string_view line)
{
    if (line.size() <= kShownCharacters)
        return gui::toQt(line);
    return gui::toQt(line.substr(0, kShownCharacters)) + QChar(0x2026);
}

void PlayerListModel::setLines(std::shared_ptr<const std::string> file, std::shared_ptr<const PlayerLines> lines)
{
    beginResetModel();
    lines_ = lines ? std::move(lines) : std::make_shared<const PlayerLines>();
    file_ = std::move(file);
    longestRow_ = longestShownRow(*lines_);
    endResetModel();
}

QModelIndex PlayerListModel::index(int row, int column, const QModelIndex& parent) const
{
    const bool inList = row >= 0 && static_cast<std::size_t>(row) < lines_->size() && column == 0 && !parent.isValid();
    return inList ? createIndex(row, column) : QModelIndex();
}

int PlayerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_->size());
}

QVariant PlayerListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return shownLine((*lines_)[static_cast<std::size_t>(index.row())]);
}

LongestLineDelegate::LongestLineDelegate(std::function<int()> longestRow, QObject* parent)
    : QStyledItemDelegate(parent)
    , longestRow_(std::move(longestRow))
{
}

QSize LongestLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index.model()->index(longestRow_(), 0));
}

} // namespace bidmark
