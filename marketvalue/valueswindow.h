#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <QWidget>

#include "core/path.h"
#include "marketvalue/values.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTableWidget;

namespace bidmark {

class ValuesChart;
class ValuesFilter;
class ValuesModel;

// Market Values: the last market value run as a sortable table, the bracket
// of the selected free agent, a chart of value against overall, and an
// export of what the table shows to CSV files, and the league page.
class MarketValuesWindow : public QWidget {
    Q_OBJECT
public:
    // CSV files are offered in the league folder first.
    explicit MarketValuesWindow(Path leagueFolder, QWidget* parent = nullptr);
    ~MarketValuesWindow() override;

    // Shows the run's values in fa.txt order, the first free agent selected.
    void setValues(std::shared_ptr<const MarketValues> values);
    const std::shared_ptr<const MarketValues>& values() const { return values_; }

signals:
    void playerChosen(const std::string& nameKey); // a double-click on his row

private:
    void showGroup(int choice);
    void filterRows(const std::function<void()>& change); // the selected row kept while shown
    void showSelected();
    void exportShownRows();
    std::optional<std::size_t> selectedRow() const; // in the run's rows
    std::vector<std::size_t> shownRows() const;      // in the table's order

    Path leagueFolder_;
    std::shared_ptr<const MarketValues> values_;
    ValuesModel* model_;
    ValuesFilter* filter_;
    QLineEdit* nameFilter_;
    QComboBox* groups_;
    QCheckBox* withBrackets_;
    QTableView* table_;
    QLabel* bracketCaption_;
    QTableWidget* bracket_;
    QLabel* explanation_;
    ValuesChart* chart_;
};

} // namespace bidmark
