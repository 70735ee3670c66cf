#include "editor/playerlistmodel.h"

#include "gui/text.h"

namespace bidmark {

QString shownLine(std::string_view line)
{
    if (line.size() <= kShownCharacters)
        return gui::toQt(line);
    return gui::toQt(line.substr(0, kShownCharacters)) + QChar(0x2026);
}

void PlayerListModel::setLines(std::vector<std::string> lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

int PlayerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant PlayerListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return shownLine(lines_[static_cast<std::size_t>(index.row())]);
}

} // namespace bidmark
