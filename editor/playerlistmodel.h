#pragma once
#include <algorithm>
#include <functional>
#include <memory>
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

// The row of the line that shows longest, 0 when there is none.
template <class Lines>
int longestShownRow(const Lines& lines)
{
    const auto longest = std::max_element(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
        return std::min(a.size(), kShownCharacters + 1) < std::min(b.size(), kShownCharacters + 1);
    });
    return lines.empty() ? 0 : static_cast<int>(longest - lines.begin());
}

// The player list's lines: views into the bytes of the fa.txt they were read
// from, which the model holds, the one copy that search, details,
// double-click and signing work on, each converted for the view only when it
// asks for it. A list of all of fa.txt's lines is the window's own, shared.
using PlayerLines = std::vector<std::string_view>;

class PlayerListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    // A reset: nothing selected afterwards. The lines are views into the
    // file; no lines is an empty list.
    void setLines(std::shared_ptr<const std::string> file, std::shared_ptr<const PlayerLines> lines);
    const PlayerLines& lines() const { return *lines_; }
    std::string_view bytes() const { return file_ ? std::string_view(*file_) : std::string_view(); } // the lines' file
    int longestRow() const { return longestRow_; } // 0 when the list is empty

    // The view asks for every row's index when it lays the list out: made
    // without the general checks' calls back into the model.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const std::string> file_;
    std::shared_ptr<const PlayerLines> lines_ = std::make_shared<const PlayerLines>();
    int longestRow_ = 0;
};

// A list of uniform entries takes every entry's size from one: here the
// longest line's, so that the list scrolls sideways to the end of each line
// (the font is fixed-pitch), and only that line is measured.
class LongestLineDelegate : public QStyledItemDelegate {
public:
    // longestRow: the row of the longest line of the list's model.
    LongestLineDelegate(std::function<int()> longestRow, QObject* parent);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    std::function<int()> longestRow_;
};

} // namespace bidmark
