#pragma once
#include <string>
#include <string_view>
#include <vector>
#include <QAbstractListModel>
#include <QStyledItemDelegate>

namespace bidmark {

// A league line as the Players Available window's lists show it: a line
// longer than kShownCharacters shows its start and an ellipsis, so a line of
// megabytes costs a list no more than any other. Only the display is cut;
// every handler works on the whole line.
inline constexpr std::size_t kShownCharacters = 1000;
QString shownLine(std::string_view line);

// The player list's lines: their bytes, the one copy that search, details,
// double-click and signing work on, each converted for the view only when it
// asks for it.
class PlayerListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void setLines(std::vector<std::string> lines); // a reset: nothing selected afterwards
    const std::vector<std::string>& lines() const { return lines_; }
    int longestRow() const { return longestRow_; } // 0 when the list is empty

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> lines_;
    int longestRow_ = 0;
};

// A list of uniform entries takes every entry's size from one: here the
// longest line's, so that the list scrolls sideways to the end of each line
// (the font is fixed-pitch).
class LongestLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace bidmark
