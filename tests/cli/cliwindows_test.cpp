// The same steps through the Commissioners Menu and through bidmark-cli leave
// the same league files, byte for byte.
#include <filesystem>
#include <sstream>

#include <QPushButton>
#include <QtTest>

#include "cli/commands.h"
#include "commissioner/commissionersmenu.h"
#include "tests/reliability/folder.h"
#include "tests/support/dialogs.h"
#include "tests/support/tempdir.h"

namespace bidmark {

class CliWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void mergeAndUndoLeaveTheFilesTheWindowsLeave()
    {
        test::TempDir windows, console;
        for (const test::TempDir* dir : {&windows, &console})
            std::filesystem::copy(BIDMARK_SAMPLE_LEAGUE, test::fsPath(dir->path()),
                                  std::filesystem::copy_options::recursive);
        Session session{windows.path(), {}};
        CommissionersMenu menu(session);
        menu.show();
        auto click = [&](const char* name) {
            QTest::mouseClick(menu.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        };
        auto cli = [&](std::vector<std::string> words) {
            words.insert(words.begin(), "--league=" + console.path().bytes());
            std::ostringstream out, err;
            return cli::run(words, out, err);
        };

        QVERIFY(test::answered({test::type(QStringLiteral("FA01 Signed Players")), test::ok()},
                               [&] { click("Command1"); }));
        QCOMPARE(cli({"merge", "FA01 Signed Players"}), cli::kDone);
        QVERIFY(test::snapshot(windows.path()) == test::snapshot(console.path()));

        QVERIFY(test::answered({test::press(QStringLiteral("Yes")), test::ok()}, [&] { click("undoLastRun"); }));
        QCOMPARE(cli({"undo", "--yes"}), cli::kDone);
        QVERIFY(test::snapshot(windows.path()) == test::snapshot(console.path()));
        QVERIFY(test::snapshot(console.path()) == test::snapshot(Path(BIDMARK_SAMPLE_LEAGUE)));
    }
};

} // namespace bidmark

QTEST_MAIN(bidmark::CliWindowsTest)
#include "cliwindows_test.moc"
