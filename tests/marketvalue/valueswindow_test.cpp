#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "core/falist.h"
#include "core/linefile.h"
#include "gui/paths.h"
#include "marketvalue/calculator.h"
#include "marketvalue/valuetable.h"
#include "tests/support/dialogs.h"
#include "tests/support/tempdir.h"

using namespace bidmark;

namespace {
QWidget* valuesWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("MarketValues"))
            return widget;
    }
    return nullptr;
}

template <class Widget>
Widget* part(const char* name)
{
    return valuesWindow()->findChild<Widget*>(QString::fromLatin1(name));
}

QTableView* table() { return part<QTableView>("valuesTable"); }

QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }

QStringList column(int column)
{
    QStringList cells;
    for (int row = 0; row < table()->model()->rowCount(); ++row)
        cells << cell(row, column);
    return cells;
}

} // namespace

// The Market Values window as the calculator opens it, on the sample league.
class ValuesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<test::TempDir>();
        for (const char* name : {"fa.txt", "roster.html", "vitals.html"})
            dir_->write(name, readFile(pathIn(Path(BIDMARK_SAMPLE_LEAGUE), name)));
        for (const std::string& line : splitLines(dir_->read("fa.txt"))) {
            if (isPlayerLine(line))
                names_ << QString::fromLatin1(nameKey(line)).trimmed();
        }
        session_ = Session{dir_->path(), {}};
        form_ = std::make_unique<MarketValueCalculator>(session_);
        form_->show();
        form_->findChild<QLineEdit*>("Text1")->setText(QStringLiteral("roster.html"));
        form_->findChild<QLineEdit*>("Text2")->setText(QStringLiteral("vitals.html"));
        QVERIFY(!showValues()->isEnabled());
        test::Message done;
        QVERIFY(test::answered({test::ok(&done)}, [&] { form_->findChild<QPushButton*>("Command1")->click(); }));
        QVERIFY(done.text.startsWith(QStringLiteral("DONE ")));
    }

    void cleanup()
    {
        form_.reset();
        dir_.reset();
        names_.clear();
    }

    void opensAfterTheRunAndAgainFromShowValues()
    {
        QWidget* window = valuesWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Market Values"));
        QVERIFY(!window->isModal());
        QCOMPARE(column(kNameColumn), names_); // fa.txt order
        QVERIFY(part<QLabel>("bracketCaption")->text().contains(names_.first())); // the first selected
        QVERIFY(showValues()->isEnabled());

        window->close();
        showValues()->click();
        QCOMPARE(valuesWindow(), window);
        QVERIFY(window->isVisible());
    }

    // No text of the first rows nor a column's head is cut short, italic
    // rows (signed players) included.
    void columnsHoldTheirTexts()
    {
        const QAbstractItemModel& model = *table()->model();
        for (int column = 0; column < model.columnCount(); ++column) {
            const int width = table()->columnWidth(column);
            QVERIFY(width >= table()->horizontalHeader()->sectionSizeHint(column));
            for (int row = 0; row < std::min(model.rowCount(), 50); ++row) {
                const QModelIndex index = model.index(row, column);
                const QFont font = index.data(Qt::FontRole).value<QFont>().resolve(table()->font());
                QVERIFY2(QFontMetrics(font).horizontalAdvance(index.data().toString()) < width,
                         qPrintable(index.data().toString()));
            }
        }
    }

    void sortsNumbersAsNumbersThenReturnsToFileOrder()
    {
        QHeaderView* header = table()->horizontalHeader();
        const auto clickHead = [header](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        for (const int number : {kOverallColumn, kHighColumn, kMarketValueColumn}) {
            clickHead(number);
            const QStringList up = column(number);
            for (int row = 1; row < up.size(); ++row)
                QVERIFY2(up[row - 1].toDouble() <= up[row].toDouble(), qPrintable(up[row - 1] + " > " + up[row]));
            clickHead(number);
            QCOMPARE(column(number).first().toDouble(), up.last().toDouble());
            clickHead(number);
            QCOMPARE(column(kNameColumn), names_);
        }
    }

    void filterAndGroupNarrowTheRows()
    {
        QTest::keyClicks(part<QLineEdit>("valuesFilter"), QStringLiteral("PELL"));
        const QStringList matching = names_.filter(QStringLiteral("pell"), Qt::CaseInsensitive);
        QVERIFY(!matching.isEmpty());
        QCOMPARE(column(kNameColumn), matching);

        part<QLineEdit>("valuesFilter")->clear();
        part<QComboBox>("valuesGroup")->setCurrentIndex(2); // defence
        const QStringList groups = column(kGroupColumn);
        QVERIFY(!groups.isEmpty() && groups.size() < names_.size());
        QCOMPARE(groups.filter(QStringLiteral("D")).size(), groups.size());
        const QList<QAbstractSeries*> series = part<QChartView>("valuesChart")->chart()->series();
        QVERIFY(!series[0]->isVisible() && series[1]->isVisible() && !series[2]->isVisible());
    }

    // The chart plots each group's points in order of overall and value,
    // each once, and the same for a run made while the window was closed.
    void chartPlotsEachGroupsPointsOnce()
    {
        const auto plotted = [] {
            QList<QList<QPointF>> groups;
            for (QAbstractSeries* series : part<QChartView>("valuesChart")->chart()->series().mid(0, 3))
                groups << qobject_cast<QLineSeries*>(series)->points();
            return groups;
        };
        const QList<QList<QPointF>> first = plotted();
        qsizetype points = 0;
        for (const QList<QPointF>& group : first) {
            for (qsizetype at = 1; at < group.size(); ++at) {
                const QPointF &before = group[at - 1], &point = group[at];
                QVERIFY(before.x() < point.x() || (before.x() == point.x() && before.y() < point.y()));
            }
            points += group.size();
        }
        QVERIFY(points > 0 && points <= names_.size());

        valuesWindow()->hide();
        test::Message done;
        QVERIFY(test::answered({test::ok(&done)}, [&] { form_->findChild<QPushButton*>("Command1")->click(); }));
        QVERIFY(valuesWindow()->isVisible());
        QCOMPARE(plotted(), first);
    }

    // The free agent selected stays selected through a sort and a filter
    // that shows him; a filter that hides him leaves nothing selected.
    void selectionOutlastsSortAndFilterThatShowHim()
    {
        const int cale = static_cast<int>(names_.indexOf(QStringLiteral("Cale Brananen")));
        table()->selectRow(cale);
        const auto selectedName = [] {
            const QModelIndexList rows = table()->selectionModel()->selectedRows();
            return rows.isEmpty() ? QString() : rows.front().data().toString();
        };
        const int nameWidth = table()->columnWidth(kNameColumn);
        table()->sortByColumn(kMarketValueColumn, Qt::DescendingOrder);
        QCOMPARE(selectedName(), QStringLiteral("Cale Brananen"));
        QTest::keyClicks(part<QLineEdit>("valuesFilter"), QStringLiteral("bran"));
        QCOMPARE(selectedName(), QStringLiteral("Cale Brananen"));
        QCOMPARE(table()->columnWidth(kNameColumn), nameWidth);
        QCOMPARE(table()->horizontalHeader()->sortIndicatorSection(), int(kMarketValueColumn));
        QVERIFY(part<QLabel>("bracketCaption")->text().contains(QStringLiteral("Cale Brananen")));
        QTest::keyClicks(part<QLineEdit>("valuesFilter"), QStringLiteral("x"));
        QCOMPARE(selectedName(), QString());
        QVERIFY(part<QLabel>("bracketCaption")->text().startsWith(QStringLiteral("Select a free agent")));
    }

    // Every free agent's bracket as the list shows it keeps to the bracket's
    // rule, counts as many players as the table says and marks exactly the
    // players of his overall; the chart marks him.
    void selectingARowListsItsBracket()
    {
        auto* bracket = part<QTableWidget>("bracketTable");
        auto* chart = part<QChartView>("valuesChart")->chart();
        auto* marked = qobject_cast<QScatterSeries*>(chart->series().last());
        int marks = 0;
        for (int row = 0; row < table()->model()->rowCount(); ++row) {
            table()->selectRow(row);
            QCOMPARE(bracket->rowCount(), cell(row, kCountColumn).toInt());
            const double age = cell(row, kAgeColumn).toDouble(), overall = cell(row, kOverallColumn).toDouble();
            for (int entry = 0; entry < bracket->rowCount(); ++entry) {
                const auto text = [&](int c) { return bracket->item(entry, c)->text(); };
                QCOMPARE(text(kEntryGroupColumn), cell(row, kGroupColumn));
                QVERIFY(std::abs(text(kEntryAgeColumn).toDouble() - age) < 3);
                QVERIFY(std::abs(text(kEntryOverallColumn).toDouble() - overall) < 5);
                const bool same = text(kEntryOverallColumn).toDouble() == overall;
                QCOMPARE(text(kEntrySameColumn), same ? QStringLiteral("same") : QString());
                QCOMPARE(bracket->item(entry, kEntryNameColumn)->font().bold(), same);
                marks += same ? 1 : 0;
            }
            QCOMPARE(marked->count(), 1); // at his value, which the table rounds
            QCOMPARE(marked->at(0).x(), overall);
            QVERIFY(std::abs(marked->at(0).y() - cell(row, kMarketValueColumn).toDouble()) < 0.0051);
        }
        QVERIFY(marks > 0);
        QVERIFY(!part<QLabel>("valueExplanation")->text().isEmpty());
    }

    void offersStandBesideTheValues()
    {
        const int benno = static_cast<int>(names_.indexOf(QStringLiteral("Benno Tamski")));
        const int cale = static_cast<int>(names_.indexOf(QStringLiteral("Cale Brananen")));
        QCOMPARE(cell(benno, kBestOfferColumn), QStringLiteral("signed TOR 2.5/4 +1.0"));
        QVERIFY(table()->model()->index(benno, kNameColumn).data(Qt::FontRole).value<QFont>().italic());
        QVERIFY(!cell(benno, kMarketValueColumn).isEmpty());
        QCOMPARE(cell(cale, kOffersColumn), QStringLiteral("2"));
        QCOMPARE(cell(cale, kBestOfferColumn), QStringLiteral("NYR 1.6/2"));
        table()->selectRow(cale);
        QVERIFY(part<QLabel>("valueExplanation")->text().contains(QStringLiteral("The best offer, NYR 1.6/2, is ")));
    }

    void exportWritesTheRowsAsShownAndOnlyCsvFiles()
    {
        QTest::keyClicks(part<QLineEdit>("valuesFilter"), QStringLiteral("a"));
        table()->sortByColumn(kMarketValueColumn, Qt::DescendingOrder);
        part<QCheckBox>("exportBrackets")->setChecked(true);
        test::Message written;
        QVERIFY(test::answered({test::saveAs(gui::toQt(dir_->file("shown"))), test::ok(&written)},
                               [] { part<QPushButton>("exportCsv")->click(); }));
        QVERIFY(written.text.contains(QStringLiteral("shown-brackets.csv")));
        const std::vector<std::string> lines = splitLines(dir_->read("shown.csv"));
        const QStringList shown = column(kNameColumn);
        QCOMPARE(lines.size(), std::size_t(shown.size() + 1));
        for (int row = 0; row < shown.size(); ++row)
            QVERIFY(QString::fromStdString(lines[std::size_t(row) + 1]).startsWith(shown[row] + QLatin1Char(',')));
        QVERIFY(dir_->exists("shown-brackets.csv"));

        // The dialog asks about the first file, the window about the second.
        dir_->write("shown-brackets.csv", "mine\r\n");
        test::Message replace;
        QVERIFY(test::answered({test::saveAs(gui::toQt(dir_->file("shown"))),
                                test::press(QStringLiteral("&No"), &replace)},
                               [] { part<QPushButton>("exportCsv")->click(); }));
        QVERIFY(replace.text.contains(QStringLiteral("shown-brackets.csv already exists")));
        QCOMPARE(dir_->read("shown-brackets.csv"), std::string("mine\r\n"));

        test::Message refused;
        QVERIFY(test::answered({test::saveAs(gui::toQt(dir_->file("notes.txt"))), test::ok(&refused)},
                               [] { part<QPushButton>("exportCsv")->click(); }));
        QCOMPARE(refused.icon, QMessageBox::Critical);
        QVERIFY(!dir_->exists("notes.txt"));
    }

private:
    QPushButton* showValues() { return form_->findChild<QPushButton*>("showValues"); }

    std::unique_ptr<test::TempDir> dir_;
    Session session_;
    std::unique_ptr<MarketValueCalculator> form_;
    QStringList names_;
};

QTEST_MAIN(ValuesWindowTest)
#include "valueswindow_test.moc"
