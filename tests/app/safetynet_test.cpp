// The safety net through the whole program on the sample league: every run
// undone puts every league file back byte for byte, and a run cut short is
// put back when the program starts.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/journal.h"
#include "core/linefile.h"
#include "tests/reliability/folder.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
#include "tests/support/findwindows.h"

using namespace bidmark;
using test::control;
using Files = std::map<std::string, std::string>;
using Runs = std::vector<std::function<void()>>;
Q_DECLARE_METATYPE(Runs)

namespace {

// The sample league in a fresh folder, the program started on it.
std::unique_ptr<test::Program> sampleLeague()
{
    auto program = std::make_unique<test::Program>();
    const Path sample(BIDMARK_SAMPLE_LEAGUE);
    for (const std::string& name : listFolder(sample))
        program->league().write(name, readFile(sample / name));
    return program;
}

void click(const char* windowName, const char* name) { control(windowName, name)->click(); }

// The runs, each as the commissioner starts it from the menu.
void mergeRun(bool deleteOffers)
{
    control<QCheckBox>("Form4", "Check2")->setChecked(deleteOffers);
    QVERIFY(test::answered({test::type(QStringLiteral("FA02 Signed Players")), test::ok()},
                           [] { click("Form4", "Command1"); }));
}

void signingRun()
{
    click("Form4", "Command4");
    auto* list = control<QAbstractItemView>("Form2", "List1");
    for (int row : {1, 2}) { // Lorne Lundski, then DAL's offer to him
        list->setCurrentIndex(list->model()->index(row, 0));
        emit list->doubleClicked(list->currentIndex());
    }
    QCOMPARE(control<QListWidget>("Form2", "List2")->count(), 1); // the signing
    click("Form2", "Command1");
    QVERIFY(test::shown("Form4"));
}

void marketValueRun()
{
    click("Form4", "Command2");
    control<QLineEdit>("Form5", "Text1")->setText(QStringLiteral("roster.html"));
    control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
    QVERIFY(test::answered({test::ok()}, [] { click("Form5", "Command1"); }));
}

void undoLastRun()
{
    QVERIFY(test::answered({test::press(QStringLiteral("Yes")), test::ok()}, [] { click("Form4", "undoLastRun"); }));
}

} // namespace

class SafetyNetTest : public QObject {
    Q_OBJECT

private slots:
    void everyRunUndoneLeavesEveryFileAsBefore_data()
    {
        QTest::addColumn<Runs>("runs");
        QTest::newRow("merge") << Runs{[] { mergeRun(true); }};
        QTest::newRow("signing") << Runs{signingRun};
        QTest::newRow("market value") << Runs{marketValueRun};
        QTest::newRow("merge, merge") << Runs{[] { mergeRun(false); },
                                                                           [] { mergeRun(true); }};
    }

    void everyRunUndoneLeavesEveryFileAsBefore()
    {
        QFETCH(Runs, runs);
        const auto program = sampleLeague();
        program->start();
        QVERIFY(test::enterCommissionerMenu());
        std::vector<Files> states{test::snapshot(program->league().path())};
        for (const auto& run : runs) {
            run();
            states.push_back(test::snapshot(program->league().path()));
            QVERIFY(states.back() != states[states.size() - 2]);
        }
        for (std::size_t undone = 1; undone <= runs.size(); ++undone) {
            undoLastRun();
            QVERIFY(test::snapshot(program->league().path()) == states[runs.size() - undone]);
        }
    }

    void runCutShortIsPutBackOnceAtStartUp()
    {
        const auto program = sampleLeague();
        test::TempDir& league = program->league();
        const Files before = test::snapshot(league.path());
        {
            RunJournal cutShort(league.path(), "Merge Team Offers", {"fa.txt", "temp.txt", "BOS.txt"});
            writeFileAtomic(league.file("temp.txt"), "half a merge\r\n");
            deleteFile(league.file("BOS.txt"));
        }
        test::Message message;
        QVERIFY(test::answered({test::ok(&message)}, [&] { program->start(); }));
        QVERIFY2(message.text.startsWith(QStringLiteral("The last Merge Team Offers run (started "))
                     && message.text.contains(QStringLiteral(" was interrupted; the league files were put back as they were "
                                                       "before it.")),
                 qPrintable(message.text));
        QVERIFY(test::shown("Form1"));
        QVERIFY(test::snapshot(league.path()) == before);
        QVERIFY(test::answered({}, [&] { program->start(); })); // said once
    }
};

QTEST_MAIN(SafetyNetTest)
#include "safetynet_test.moc"
