// Every write the program makes, failed for real while a user clicks: each must
// say what went wrong in a critical message box, keep the window and what was
// typed, and leave the league's files as they were or completely written.
#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

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

#include "app/windows.h"
#include "folder.h"
#include "tests/support/league.h"
#include "tests/support/modal.h"
#include "tests/support/tempdir.h"
#include "tests/support/windows.h"

using namespace bidmark;
using test::enterCommissionerMenu;
using test::control;
using test::Message;
using test::recordMessage;
using test::window;
namespace fs = std::filesystem;

namespace {

// One real failure of the disk, set up right before a click and taken away
// right after it.
struct Fault {
    QString name;
    std::function<void()> arm;
    std::function<void()> disarm;
};

// Files may not grow past `bytes`: a longer write fails half-way with EFBIG.
Fault sizeLimit(rlim_t bytes)
{
    static rlimit saved{};
    return {QStringLiteral("file size limit of %1 bytes").arg(bytes),
            [bytes] {
                std::signal(SIGXFSZ, SIG_IGN);
                ::getrlimit(RLIMIT_FSIZE, &saved);
                rlimit limit = saved;
                limit.rlim_cur = bytes;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            },
            [] { ::setrlimit(RLIMIT_FSIZE, &saved); }};
}

// A folder where the program writes the file.
Fault folderInPlaceOf(const std::string& file)
{
    return {QStringLiteral("%1 replaced by a folder").arg(QString::fromStdString(file)),
            [file] {
                fs::remove(file);
                fs::create_directory(file);
            },
            [file] { fs::remove(file); }};
}

// The working directory taken away under the program (a league on a stick
// that was pulled out).
Fault missingWorkingDirectory()
{
    return {QStringLiteral("working directory removed"),
            [] { fs::remove_all(fs::current_path()); },
            [] {}};
}

Fault readOnlyWorkingDirectory()
{
    return {QStringLiteral("read-only working directory"),
            [] { fs::permissions(".", fs::perms::owner_write, fs::perm_options::remove); },
            [] { fs::permissions(".", fs::perms::owner_write, fs::perm_options::add); }};
}

bool runningAsRoot() { return ::geteuid() == 0; }

int faultsInjected = 0;

} // namespace

class WriteFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> folder_;
    std::unique_ptr<test::WorkingDirectory> workingDirectory_;
    std::unique_ptr<Windows> program_;

    void startLeague()
    {
        folder_ = std::make_unique<test::TempDir>();
        workingDirectory_ = std::make_unique<test::WorkingDirectory>(folder_->path());
        folder_->writeLines("teams.txt", {"TOR"});
        folder_->writeLines("fa.txt", test::elevenLines());
        folder_->writeLines("signed.txt", {"old log"});
        program_ = std::make_unique<Windows>();
        program_->start();
    }
    void stopLeague()
    {
        program_.reset();
        workingDirectory_.reset();
        if (!fs::exists(folder_->path()))
            fs::create_directory(folder_->path()); // for TempDir to remove
        folder_.reset();
    }

    // What a click under the fault did: the message it showed and the folder
    // before and after it, both read while the fault holds.
    struct Outcome {
        Message message;
        std::map<std::string, std::string> before, after;
    };
    Outcome clickUnder(const Fault& fault, QPushButton* button, bool asksMergeName = false)
    {
        Outcome outcome;
        ++faultsInjected;
        fault.arm();
        outcome.before = test::snapshot(".");
        if (asksMergeName) {
            test::answerNextModal([&outcome](QWidget* prompt) {
                recordMessage(&outcome.message);
                qobject_cast<QInputDialog*>(prompt)->accept();
            });
        } else {
            recordMessage(&outcome.message);
        }
        button->click();
        outcome.after = test::snapshot(".");
        fault.disarm();
        return outcome;
    }

    // Opens the Contract dialog on a player row and presses OK with terms.
    void offer(int row)
    {
        auto* view = control<QAbstractItemView>("Form2", "List1");
        view->setCurrentIndex(view->model()->index(row, 0));
        emit view->doubleClicked(view->currentIndex());
        QWidget* dialog = window("Form2")->findChild<QWidget*>(QStringLiteral("Form3"));
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1.5"));
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("2"));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }

    int offerCount() { return control<QListWidget>("Form2", "List2")->count(); }

private slots:
    void cleanup()
    {
        if (folder_)
            stopLeague(); // also after a failed check
    }

    void doneKeepsOfferListWhenTeamFileCannotBeWritten()
    {
        std::vector<Fault> faults{sizeLimit(16), folderInPlaceOf("TOR.txt"), missingWorkingDirectory()};
        if (!runningAsRoot())
            faults.push_back(readOnlyWorkingDirectory());
        for (const Fault& fault : faults) {
            startLeague();
            folder_->writeLines("TOR.txt", {"earlier offers"});
            control<QComboBox>("Form1", "Combo1")->setEditText(QStringLiteral("TOR"));
            control("Form1", "Command1")->click();
            offer(1);
            QCOMPARE(offerCount(), 1);

            const Outcome outcome = clickUnder(fault, control("Form2", "Command1"));
            QVERIFY2(outcome.message.icon == QMessageBox::Critical, qPrintable(fault.name));
            QVERIFY2(outcome.message.text.contains(QStringLiteral("TOR.txt")), qPrintable(outcome.message.text));
            QVERIFY(window("Form2")->isVisible());
            QCOMPARE(offerCount(), 1);
            QVERIFY2(outcome.after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void signingKeepsFilesWhenAWriteFails()
    {
        // 100 bytes: COMMISH.txt and the signed.txt append fit, temp.txt does not.
        std::vector<Fault> faults{sizeLimit(16), sizeLimit(100), folderInPlaceOf("COMMISH.txt"),
                                  folderInPlaceOf("temp.txt"), folderInPlaceOf("signed.txt")};
        if (!runningAsRoot())
            faults.push_back(readOnlyWorkingDirectory());
        const std::string contract = "Pekka Roine         <SIGNED> <DAL> 0.75/2 backup to start\r\n";
        for (const Fault& fault : faults) {
            startLeague();
            enterCommissionerMenu();
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
        std::vector<Fault> faults{sizeLimit(16), sizeLimit(150), folderInPlaceOf("temp.txt"),
                                  folderInPlaceOf("fa.txt"), folderInPlaceOf("signed.txt")};
        if (!runningAsRoot())
            faults.push_back(readOnlyWorkingDirectory());
        for (const Fault& fault : faults) {
            startLeague();
            folder_->writeLines("TOR.txt", {"Arvo Lindqvist      <TOR> 1.6/3 "});
            enterCommissionerMenu();
            Outcome outcome = clickUnder(fault, control("Form4", "Command1"), true);
            QVERIFY2(outcome.message.icon == QMessageBox::Critical,
                     qPrintable(fault.name + ": " + outcome.message.text));
            QVERIFY(window("Form4")->isVisible());
            // The signing header is written before the merge and stays, whole.
            auto& after = outcome.after;
            if (after["signed.txt"] == outcome.before["signed.txt"] + "------ FA01 Signed Players----\r\n")
                after["signed.txt"] = outcome.before["signed.txt"];
            QVERIFY2(after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void deletingTeamFilesInReadOnlyFolderSaysSo()
    {
        if (runningAsRoot())
            QSKIP("root deletes files in a read-only folder");
        startLeague();
        folder_->write("TOR.txt", ""); // nothing to merge: only the delete writes
        enterCommissionerMenu();
        control<QCheckBox>("Form4", "Check1")->setChecked(false);
        const Outcome outcome = clickUnder(readOnlyWorkingDirectory(), control("Form4", "Command1"));
        QCOMPARE(outcome.message.icon, QMessageBox::Critical);
        QVERIFY2(outcome.message.text.contains(QStringLiteral("TOR.txt")), qPrintable(outcome.message.text));
        QVERIFY(outcome.after == outcome.before);
        stopLeague();
    }

    void calculateKeepsMarketValueFileWhenItCannotBeWritten()
    {
        // The output named in a folder that is not there.
        const Fault missingFolder{QStringLiteral("output in a missing folder"),
                                  [] { control<QLineEdit>("Form5", "Text3")->setText(QStringLiteral("gone/marketVal.txt")); },
                                  [] { control<QLineEdit>("Form5", "Text3")->setText(QStringLiteral("marketVal.txt")); }};
        std::vector<Fault> faults{sizeLimit(16), folderInPlaceOf("marketVal.txt"), missingFolder};
        if (!runningAsRoot())
            faults.push_back(readOnlyWorkingDirectory());
        for (const Fault& fault : faults) {
            startLeague();
            folder_->writeLines("marketVal.txt", {"earlier values"});
            folder_->writeLines("roster.html", {"Team Rosters"});
            folder_->writeLines("vitals.html", {"Player Vitals"});
            enterCommissionerMenu();
            control("Form4", "Command2")->click();
            control<QLineEdit>("Form5", "Text1")->setText(QStringLiteral("roster.html"));
            control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
            const Outcome outcome = clickUnder(fault, control("Form5", "Command1"));
            QVERIFY2(outcome.message.icon == QMessageBox::Critical,
                     qPrintable(fault.name + ": " + outcome.message.text));
            QVERIFY2(outcome.message.text.contains(QStringLiteral("marketVal.txt")),
                     qPrintable(outcome.message.text));
            QVERIFY(window("Form5")->isVisible());
            QVERIFY2(outcome.after == outcome.before, qPrintable(fault.name));
            stopLeague();
        }
    }

    void cleanupTestCase() { qInfo("write faults injected: %d", faultsInjected); }
};

QTEST_MAIN(WriteFaults)
#include "write_faults_test.moc"
