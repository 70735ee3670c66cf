#include "marketvalue/valueswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QFontMetrics>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "gui/captionbutton.h"
#include "gui/messages.h"
#include "gui/paths.h"
#include "gui/text.h"
#include "marketvalue/csvexport.h"
#include "marketvalue/publishpage.h"
#include "marketvalue/valueschart.h"
#include "marketvalue/valuesmodel.h"
#include "marketvalue/valuetable.h"

namespace bidmark {

namespace {
// A control of the window, found by its objectName, read out by its
// accessible name.
template <class Widget, class... Arguments>
Widget* control(const char* name, const char* spoken, Arguments&&... arguments)
{
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(QString::fromLatin1(spoken));
    return widget;
}

// The position-group choice: its texts and the group each stands for.
const struct {
    const char* text;
    char group;
} kGroupChoices[] = {{"All positions", 0}, {"Forwards (F)", 'F'}, {"Defence (D)", 'D'}, {"Goalies (G)", 'G'}};

// Rows one line high, the last column taking the room left.
void compact(QTableView* table)
{
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
}

// Each column as wide as its head or the widest text of its first rows. The
// widest is picked by its letters' advances and measured once, in each font
// those rows use, rather than every cell laid out.
void fitColumns(QTableView* table)
{
    constexpr int kRowsLooked = 50;
    const QAbstractItemModel& model = *table->model();
    const int rows = std::min(model.rowCount(), kRowsLooked);
    std::vector<QFont> fonts{table->font()};
    for (int row = 0; row < rows; ++row) {
        const QVariant role = model.index(row, 0).data(Qt::FontRole);
        const QFont font = role.value<QFont>().resolve(table->font()); // as the view shows it
        if (role.isValid() && std::find(fonts.begin(), fonts.end(), font) == fonts.end())
            fonts.push_back(font);
    }
    const QFontMetrics plain = table->fontMetrics();
    std::array<int, 256> advances; // of the Latin-1 letters, as they are asked for
    advances.fill(-1);
    const auto roughWidth = [&](const QString& text) {
        int width = 0;
        for (const QChar letter : text) {
            if (letter.unicode() >= advances.size()) {
                width += plain.horizontalAdvance(letter);
                continue;
            }
            int& advance = advances[letter.unicode()];
            if (advance < 0)
                advance = plain.horizontalAdvance(letter);
            width += advance;
        }
        return width;
    };
    const int margins = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) +
                        (table->showGrid() ? 1 : 0);
    for (int column = 0; column < model.columnCount(); ++column) {
        QString widest;
        int widestRough = 0;
        for (int row = 0; row < rows; ++row) {
            const QString text = model.index(row, column).data().toString();
            if (const int rough = roughWidth(text); rough > widestRough) {
                widest = text;
                widestRough = rough;
            }
        }
        int width = table->horizontalHeader()->sectionSizeHint(column);
        for (const QFont& font : fonts) {
            if (!widest.isEmpty())
                width = std::max(width, QFontMetrics(font).horizontalAdvance(widest) + margins);
        }
        table->setColumnWidth(column, width);
    }
}

QLabel* wrappingLabel(const char* name, const char* spoken)
{
    auto* label = control<QLabel>(name, spoken);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

MarketValuesWindow::MarketValuesWindow(Path leagueFolder, QWidget* parent)
    : QWidget(parent), leagueFolder_(std::move(leagueFolder))
{
    setObjectName(QStringLiteral("MarketValues"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Market Values"));
    resize(1180, 720);

    model_ = new ValuesModel(this);
    filter_ = new ValuesFilter(model_, this);

    nameFilter_ = control<QLineEdit>("valuesFilter", "Filter by name");
    nameFilter_->setPlaceholderText(QStringLiteral("Filter by name (Ctrl+F; Enter goes to the table)"));
    nameFilter_->setClearButtonEnabled(true);
    groups_ = control<QComboBox>("valuesGroup", "Position group");
    for (const auto& choice : kGroupChoices)
        groups_->addItem(QString::fromLatin1(choice.text));
    withBrackets_ = control<QCheckBox>("exportBrackets", "Export the brackets too",
                                       QStringLiteral("With brackets (second file)"));
    auto* exportButton = control<gui::CaptionButton>("exportCsv", "Export CSV", QStringLiteral("Export CSV…"));
    auto* publish = control<gui::CaptionButton>("publishPage", "Publish League Page",
                                                QStringLiteral("Publish League Page…"));

    table_ = control<QTableView>("valuesTable", "Market values");
    table_->setModel(filter_);
    compact(table_);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSortIndicatorClearable(true); // a third click: fa.txt order again
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    // A column fitted to its contents (a double-click on its edge) looks at
    // the first rows, not at every row of a large league.
    table_->horizontalHeader()->setResizeContentsPrecision(50);

    bracketCaption_ = wrappingLabel("bracketCaption", "Bracket");
    bracket_ = control<QTableWidget>("bracketTable", "Bracket players", 0, kBracketColumns);
    for (int column = 0; column < kBracketColumns; ++column)
        bracket_->setHorizontalHeaderItem(column, new QTableWidgetItem(gui::toQt(bracketColumnTitle(column))));
    compact(bracket_);
    explanation_ = wrappingLabel("valueExplanation", "How the value came about");

    chart_ = control<ValuesChart>("valuesChart", "Market value against overall");

    auto* tools = new QHBoxLayout;
    tools->addWidget(nameFilter_, 2);
    tools->addWidget(groups_);
    tools->addStretch(1);
    tools->addWidget(withBrackets_);
    tools->addWidget(exportButton);
    tools->addWidget(publish);

    auto* bracketPane = new QWidget;
    auto* bracketLayout = new QVBoxLayout(bracketPane);
    bracketLayout->setContentsMargins(0, 0, 0, 0);
    bracketLayout->addWidget(bracketCaption_);
    bracketLayout->addWidget(bracket_, 1);
    bracketLayout->addWidget(explanation_);

    auto* left = new QSplitter(Qt::Vertical);
    left->addWidget(table_);
    left->addWidget(bracketPane);
    left->setSizes({400, 300});
    auto* sides = new QSplitter(Qt::Horizontal);
    sides->addWidget(left);
    sides->addWidget(chart_);
    sides->setSizes({700, 480});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(sides, 1);

    connect(nameFilter_, &QLineEdit::textChanged, this,
            [this](const QString& part) { filterRows([&] { filter_->setNamePart(part); }); });
    connect(nameFilter_, &QLineEdit::returnPressed, table_, [this] { table_->setFocus(Qt::OtherFocusReason); });
    connect(groups_, &QComboBox::currentIndexChanged, this, &MarketValuesWindow::showGroup);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MarketValuesWindow::showSelected);
    connect(exportButton, &QPushButton::clicked, this, &MarketValuesWindow::exportShownRows);
    connect(publish, &QPushButton::clicked, this, [this] { publishLeaguePage(this, leagueFolder_); });
    connect(table_, &QAbstractItemView::doubleClicked, this, [this] {
        if (const std::optional<std::size_t> row = selectedRow())
            emit playerChosen(values_->rows[*row].agent.name);
    });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, nameFilter_,
            [this] { nameFilter_->setFocus(Qt::ShortcutFocusReason); });
}

MarketValuesWindow::~MarketValuesWindow() = default;

void MarketValuesWindow::setValues(std::shared_ptr<const MarketValues> values)
{
    values_ = std::move(values);
    model_->setValues(values_);
    chart_->setValues(*values_);
    chart_->showGroup(kGroupChoices[groups_->currentIndex()].group);
    fitColumns(table_);
    // The new rows start with none selected: selecting the first shows his
    // bracket once, through the selection's signal.
    if (filter_->rowCount() > 0)
        table_->selectRow(0);
    else
        showSelected();
}

void MarketValuesWindow::showGroup(int choice)
{
    const char group = kGroupChoices[choice].group;
    filterRows([&] { filter_->setGroup(group); });
    chart_->showGroup(group);
}

// The free agent selected stays selected while the filter shows him; when it
// hides him nothing is selected.
void MarketValuesWindow::filterRows(const std::function<void()>& change)
{
    const std::optional<std::size_t> selected = selectedRow();
    change();
    const QModelIndex shown =
        selected ? filter_->mapFromSource(model_->index(static_cast<int>(*selected), 0)) : QModelIndex();
    if (shown.isValid())
        table_->selectRow(shown.row());
    else
        showSelected();
}

void MarketValuesWindow::showSelected()
{
    const std::optional<std::size_t> selected = selectedRow();
    bracket_->setRowCount(0);
    if (!selected) {
        bracketCaption_->setText(QStringLiteral("Select a free agent to see the rostered players he is "
                                                "compared with."));
        explanation_->clear();
        chart_->mark(nullptr);
        return;
    }
    const ValueRow& row = values_->rows[*selected];
    const std::vector<std::size_t>& entries = values_->bracketOf(row).entries;
    bracket_->setRowCount(static_cast<int>(entries.size()));
    for (std::size_t line = 0; line < entries.size(); ++line) {
        const RosterEntry& entry = values_->roster[entries[line]];
        for (int column = 0; column < kBracketColumns; ++column) {
            auto* item = new QTableWidgetItem(gui::toQt(bracketCell(entry, row.agent, column)));
            if (column != kEntryNameColumn && column != kEntryTeamColumn && column != kEntryGroupColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (sameOverall(entry, row.agent)) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            bracket_->setItem(static_cast<int>(line), column, item);
        }
    }
    bracket_->resizeColumnsToContents();
    bracketCaption_->setText(gui::toQt(bracketCaption(*values_, row)));
    explanation_->setText(gui::toQt(valueExplanation(*values_, row)));
    chart_->mark(&row);
}

std::optional<std::size_t> MarketValuesWindow::selectedRow() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty() || !values_)
        return std::nullopt;
    return static_cast<std::size_t>(filter_->mapToSource(rows.front()).row());
}

std::vector<std::size_t> MarketValuesWindow::shownRows() const
{
    std::vector<std::size_t> rows;
    rows.reserve(static_cast<std::size_t>(filter_->rowCount()));
    for (int row = 0; row < filter_->rowCount(); ++row)
        rows.push_back(static_cast<std::size_t>(filter_->mapToSource(filter_->index(row, 0)).row()));
    return rows;
}

// Writes the rows as the table shows them, filtered and sorted; a name typed
// without an extension gets ".csv".
void MarketValuesWindow::exportShownRows()
{
    if (!values_)
        return;
    const QString start = QDir(gui::toQt(leagueFolder_)).absoluteFilePath(QStringLiteral("marketValues.csv"));
    const std::optional<Path> file = gui::chooseFileToSave(this, QStringLiteral("Export CSV"), start,
                                                           QStringLiteral("CSV files (*.csv)"), QStringLiteral(".csv"));
    if (!file)
        return;
    const std::vector<std::size_t> rows = shownRows();
    const bool withBrackets = withBrackets_->isChecked();
    // The dialog asked about the first file; the second is asked about here.
    const QString brackets = gui::toQt(bracketsCsvPath(*file));
    if (withBrackets && QFileInfo::exists(brackets) &&
        !gui::askYesNo(this, QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(brackets),
                       gui::kTitle))
        return;
    const bool written = gui::guarded(this, [&] {
        gui::BusyCursor busy;
        exportCsv(leagueFolder_, *file, *values_, rows, withBrackets);
    });
    if (!written)
        return;
    QString message = QStringLiteral("%1 free agents written to %2").arg(rows.size()).arg(gui::toQt(*file));
    if (withBrackets)
        message += QStringLiteral("\ntheir brackets to %1").arg(brackets);
    gui::showMessage(this, message);
}

} // namespace bidmark
