// Every write the program makes, failed for real while a user clicks: each must
// say what went wrong in a critical message box, keep the window and what was
// typed, and leave the league's files as they were or completely written.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "gui/paths.h"
#include "tests/reliability/folder.h"
#include "tests/support/dialogs.h"
#include "tests/support/findwindows.h"
#include "tests/support/program.h"
#include "tests/support/system.h"

using namespace bidmark;
using test::enterCommissionerMenu;
using test::control;
using test::Message;
using test::window;
namespace fs = std::filesystem;

namespace {

// One real failure of the disk, set up right before a click and taken away
// right after it, in the league folder.
struct Fault {
    QString name;
    std::function<void(const fs::path& league)> arm;
    std::function<void(const fs::path& league)> disarm;
    bool possible = true; // false where the system cannot make this fault
};

// The faults this system can make.
std::vector<Fault> possible(std::vector<Fault> faults)
{
    faults.erase(std::remove_if(faults.begin(), faults.end(), [](const Fault& fault) { return !fault.possible; }),
                 faults.end());
    return faults;
}

// Files may not grow past `bytes`: a longer write fails half-way. The program
// started as main starts it (test::Program) turns that into a failure with a
// message; nothing here ignores the signal for it.
Fault sizeLimit(unsigned long long bytes)
{
    static std::unique_ptr<test::FileSizeLimit> limit;
    return {QStringLiteral("file size limit of %1 bytes").arg(bytes),
            [bytes](const fs::path&) { limit = std::make_unique<test::FileSizeLimit>(bytes); },
            [](const fs::path&) { limit.reset(); }, test::hasPosix()};
}

// A folder where the program writes the file.
Fault folderInPlaceOf(const std::string& file)
{
    return {QStringLiteral("%1 replaced by a folder").arg(QString::fromStdString(file)),
            [file](const fs::path& league) {
                fs::remove(league / file);
                fs::create_directory(league / file);
            },
            [file](const fs::path& league) { fs::remove(league / file); }};
}

// A league file its owner protected: refused, even for root.
Fault readOnlyFile(const std::string& file)
{
    constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return {QStringLiteral("read-only %1").arg(QString::fromStdString(file)),
            [file](const fs::path& league) { fs::permissions(league / file, writeBits, fs::perm_options::remove); },
            [file](const fs::path& league) { fs::permissions(league / file, fs::perms::owner_write, fs::perm_options::add); }};
}

// The league folder taken away under the program (a league on a stick that
// was pulled out).
Fault missingLeagueFolder()
{
    return {QStringLiteral("league folder removed"),
            [](const fs::path& league) { fs::remove_all(league); },
            [](const fs::path&) {}};
}

Fault readOnlyLeagueFolder()
{
    return {QStringLiteral("read-only league folder"),
            [](const fs::path& league) { fs::permissions(league, fs::perms::owner_write, fs::perm_options::remove); },
            [](const fs::path& league) { fs::permissions(league, fs::perms::owner_write, fs::perm_options::add); }};
}

bool runningAsRoot() { return test::runningAsRoot(); }
// Root writes into a read-only folder, and so does anyone on Windows, where a
// folder's read-only mark keeps nothing out.
bool readOnlyFolderKeepsWritesOut() { return !runningAsRoot() && test::hasPosix(); }

int faultsInjected = 0;

} // namespace

class WriteFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Program> program_;

    test::TempDir& league() { return program_->league(); }
    void startLeague()
    {
        program_ = std::make_unique<test::Program>();
        league().writeLines("teams.txt", {"TOR"});
        league().writeLines("signed.txt", {"old log"});
        program_->start();
    }
    void stopLeague()
    {
        if (!fs::exists(test::fsPath(league().path())))
            fs::create_directory(test::fsPath(league().path())); // for TempDir to remove
        program_.reset();
    }

    // What a click under the fault did: the message it showed and the folder
    // before and after it, both read while the fault holds.
    struct Outcome {
        Message message;
        std::map<std::string, std::string> before, after;
    };
    // With `messages` boxes, the last is the one recorded.
    Outcome clickUnder(const Fault& fault, QPushButton* button, bool asksMergeName = false, int messages = 1)
    {
        Outcome outcome;
        ++faultsInjected;
        const Path folder = league().path();
        fault.arm(test::fsPath(folder));
        outcome.before = test::snapshot(folder);
        std::vector<test::Answer> answers(messages - 1, test::ok());
        answers.push_back(test::ok(&outcome.message));
        if (asksMergeName)
            answers.insert(answers.begin(), test::type(QStringLiteral("FA01 Signed Players")));
        const bool answered = test::answered(answers, [button] { button->click(); });
        outcome.after = test::snapshot(folder);
        fault.disarm(test::fsPath(folder));
        if (!answered)
            outcome.message.text = QStringLiteral("(not the dialogs expected)");
        return outcome;
    }

    int offerCount() { return control<QListWidget>("Form2", "List2")->count(); }

private slots:
    void cleanup()
    {
        if (program_)
            stopLeague(); // also after a failed check
    }

    void doneKeepsOfferListWhenTeamFileCannotBeWritten()
    {
        std::vector<Fault> faults = possible({sizeLimit(16), folderInPlaceOf("TOR.txt"), missingLeagueFolder(),
                                                     readOnlyFile("TOR.txt")});
        if (readOnlyFolderKeepsWritesOut())
            faults.push_back(readOnlyLeagueFolder());
        for (const Fault& fault : faults) {
            startLeague();
            // An earlier Done saved an offer that has been merged since: the
            // list opens without it.
            league().writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.5/3 +0.25 top line role"});
            control<QComboBox>("Form1", "Combo1")->setEditText(QStringLiteral("TOR"));
            control("Form1", "Command1")->click();
            test::offer(1);
            QCOMPARE(offerCount(), 1);

            const Outcome outcome = clickUnder(fault, control("Form2", "Command1"));
            QVERIFY2(outcome.message.icon == QMessageBox::Critical, qPrintable(fault.name));
            QVERIFY2(outcome.message.text.contains(QStringLiteral("TOR.txt"))
                         || outcome.message.text.contains(QStringLiteral(" is read-only, so nothing")),
                     qPrintable(outcome.message.text));
            QVERIFY(window("Form2")->isVisible());
            QCOMPARE(offerCount(), 1);
            QVERIFY2(outcome.after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void signingKeepsFilesWhenAWriteFails()
    {
        // 100 bytes: COMMISH.txt and the signed.txt append fit, temp.txt does not.
        std::vector<Fault> faults = possible({sizeLimit(16), sizeLimit(100), readOnlyFile("fa.txt"), folderInPlaceOf("COMMISH.txt"),
                                  folderInPlaceOf("temp.txt"), folderInPlaceOf("signed.txt")});
        if (readOnlyFolderKeepsWritesOut())
            faults.push_back(readOnlyLeagueFolder());
        const std::string contract = "Pekka Roine         <SIGNED> <DAL> 0.75/2 backup to start\r\n";
        for (const Fault& fault : faults) {
            startLeague();
            QVERIFY(enterCommissionerMenu());
            control("Form4", "Command4")->click();
            auto* view = control<QAbstractItemView>("Form2", "List1");
            for (int row : {5, 6}) {
                view->setCurrentIndex(view->model()->index(row, 0));
                emit view->doubleClicked(view->currentIndex());
            }
            QCOMPARE(offerCount(), 1);

            Outcome outcome = clickUnder(fault, control("Form2", "Command1"));
            QVERIFY2(outcome.message.icon == QMessageBox::Critical,
                     qPrintable(fault.name + ": " + outcome.message.text));
            QVERIFY(window("Form2")->isVisible());
            QCOMPARE(offerCount(), 1);
            auto& after = outcome.after;
            if (after.count("COMMISH.txt") && !outcome.before.count("COMMISH.txt")) {
                QCOMPARE(after["COMMISH.txt"], contract); // written completely, the merge failed
                after.erase("COMMISH.txt");
            }
            QVERIFY2(after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void mergeRunKeepsFilesWhenAWriteFails()
    {
        // 16 bytes: the signing header is cut short after seven of its bytes;
        // 150 bytes: signed.txt fits, temp.txt does not.
        std::vector<Fault> faults = possible({sizeLimit(16), sizeLimit(150), readOnlyFile("fa.txt"), folderInPlaceOf("temp.txt"),
                                  folderInPlaceOf("fa.txt"), folderInPlaceOf("signed.txt")});
        if (readOnlyFolderKeepsWritesOut())
            faults.push_back(readOnlyLeagueFolder());
        for (const Fault& fault : faults) {
            startLeague();
            league().writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.6/3 "});
            QVERIFY(enterCommissionerMenu());
            Outcome outcome = clickUnder(fault, control("Form4", "Command1"), true);
            QVERIFY2(outcome.message.icon == QMessageBox::Critical,
                     qPrintable(fault.name + ": " + outcome.message.text));
            QVERIFY(window("Form4")->isVisible());
            // The signing header goes with the moved players or not at all.
            QVERIFY2(outcome.after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void deletingTeamFilesInReadOnlyFolderSaysSo()
    {
        if (runningAsRoot())
            QSKIP("root deletes files in a read-only folder");
        if (!test::hasPosix())
            QSKIP(test::posixOnly("read-only folders").c_str());
        startLeague();
        league().write("TOR.txt", ""); // nothing to merge: only the delete writes
        QVERIFY(enterCommissionerMenu());
        control<QCheckBox>("Form4", "Check1")->setChecked(false);
        // Refused before anything is written, naming the folder.
        const Outcome outcome = clickUnder(readOnlyLeagueFolder(), control("Form4", "Command1"));
        QCOMPARE(outcome.message.icon, QMessageBox::Critical);
        QCOMPARE(outcome.message.text, QStringLiteral("The league folder %1 is read-only, so nothing in it can be "
                                                      "changed. Nothing was changed.")
                                           .arg(gui::toQt(league().path())));
        QVERIFY(outcome.after == outcome.before);
        stopLeague();
    }

    void calculateKeepsMarketValueFileWhenItCannotBeWritten()
    {
        // The output named in a folder that is not there.
        const Fault missingFolder{QStringLiteral("output in a missing folder"),
                                  [](const fs::path&) {
                                      control<QLineEdit>("Form5", "Text3")->setText(QStringLiteral("gone/marketVal.txt"));
                                  },
                                  [](const fs::path&) {
                                      control<QLineEdit>("Form5", "Text3")->setText(QStringLiteral("marketVal.txt"));
                                  }};
        std::vector<Fault> faults = possible({sizeLimit(16), folderInPlaceOf("marketVal.txt"), missingFolder,
                                                     readOnlyFile("marketVal.txt")});
        if (readOnlyFolderKeepsWritesOut())
            faults.push_back(readOnlyLeagueFolder());
        for (const Fault& fault : faults) {
            startLeague();
            league().writeLines("marketVal.txt", {"earlier values"});
            league().writeLines("roster.html", {"Team Rosters"});
            league().writeLines("vitals.html", {"Player Vitals"});
            QVERIFY(enterCommissionerMenu());
            control("Form4", "Command2")->click();
            control<QLineEdit>("Form5", "Text1")->setText(QStringLiteral("roster.html"));
            control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
            const Outcome outcome = clickUnder(fault, control("Form5", "Command1"));
            QVERIFY2(outcome.message.icon == QMessageBox::Critical,
                     qPrintable(fault.name + ": " + outcome.message.text));
            // The file that could not be written: marketVal.txt, or the run's
            // record in history/ when not even that could be written, or the
            // read-only league folder.
            QVERIFY2(outcome.message.text.contains(QStringLiteral("marketVal.txt"))
                         || outcome.message.text.contains(QStringLiteral("/history/"))
                         || outcome.message.text.contains(QStringLiteral(" is read-only, so nothing")),
                     qPrintable(outcome.message.text));
            QVERIFY(window("Form5")->isVisible());
            QVERIFY2(outcome.after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void cleanupTestCase() { qInfo("write faults injected: %d", faultsInjected); }
};

QTEST_MAIN(WriteFaults)
#include "writefaults_test.moc"
