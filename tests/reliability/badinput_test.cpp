// Odd and hostile files met through the windows: each gives a clear outcome,
// the program keeps running and nothing of the league is lost.
#include <filesystem>
#include <functional>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/reliability/folder.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
#include "tests/support/system.h"
#include "tests/support/findwindows.h"

using namespace bidmark;
using test::enterCommissionerMenu;
using test::chooseTeam;
using test::control;
using test::Message;
using test::shown;
using test::window;
namespace fs = std::filesystem;

namespace {

std::string joined(const std::vector<std::string>& lines, const std::string& end)
{
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + end;
    return bytes;
}

// Free-agent lists and team lists as they may arrive by mail.
std::vector<std::pair<QString, std::string>> oddFiles()
{
    const auto eleven = test::elevenLines();
    std::string highBytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        highBytes += static_cast<char>(byte);
    std::string withNul = joined(eleven, "\r\n");
    withNul.replace(withNul.find("Lindqvist"), 1, std::string(1, '\0'));
    const std::string crlf = joined(eleven, "\r\n");
    return {
        {"empty", ""},
        {"no final line end", crlf.substr(0, crlf.size() - 2) + "Ola Moen"},
        {"CR only", joined(eleven, "\r")},
        {"LF only", joined(eleven, "\n")},
        {"10 MB single line", std::string(10 << 20, 'x')},
        {"NUL bytes", withNul + std::string(40, '\0')},
        {"bytes 0x80-0xFF", highBytes + "\r\n" + crlf + highBytes},
    };
}

// True when `part` stands in `whole` in the same order.
bool keptInOrder(const std::vector<std::string>& part, const std::vector<std::string>& whole)
{
    auto next = whole.begin();
    for (const auto& line : part) {
        next = std::find(next, whole.end(), line);
        if (next == whole.end())
            return false;
        ++next;
    }
    return true;
}

int badInputsTried = 0;

} // namespace

class BadInput : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Program> program_;

    test::TempDir& league() { return program_->league(); }
    fs::path file(const char* name) { return test::fsPath(league().file(name)); }
    void startLeague(const std::map<std::string, std::string>& files)
    {
        ++badInputsTried;
        program_ = std::make_unique<test::Program>();
        league().writeLines("teams.txt", {"TOR"});
        for (const auto& [name, bytes] : files)
            league().write(name, bytes);
        program_->start();
    }
    void stopLeague() { program_.reset(); }
    void commissionerMenu()
    {
        QVERIFY(enterCommissionerMenu());
        control<QCheckBox>("Form4", "Check1")->setChecked(false); // no name prompt, nothing moves
    }
    // The one message the click shows.
    Message messageOf(QWidget* button)
    {
        Message message;
        if (!test::answered({test::ok(&message)}, [button] { static_cast<QPushButton*>(button)->click(); }))
            message.text = QStringLiteral("(not one message box)");
        return message;
    }
    Message mergeRun() { return messageOf(control("Form4", "Command1")); }

private slots:
    void cleanup()
    {
        if (program_)
            stopLeague(); // also after a failed check
    }

    void oddFreeAgentListsAreListedAndMergedWhole()
    {
        for (const auto& [name, bytes] : oddFiles()) {
            startLeague({{"fa.txt", bytes}});
            chooseTeam(QStringLiteral("TOR"));
            QVERIFY2(shown("Form2"), qPrintable(name));
            QCOMPARE(control<QAbstractItemView>("Form2", "List1")->model()->rowCount(),
                     int(splitLines(bytes).size()));
            stopLeague();

            startLeague({{"fa.txt", bytes}, {"TOR.txt", "Pekka Roine         <TOR> 1.4/3 \r\n"}}); // a new offer
            commissionerMenu();
            const Message message = mergeRun();
            QCOMPARE(message.text, QStringLiteral("new fa.txt created"));
            const std::string merged = league().read("fa.txt");
            QVERIFY2(merged.empty() || merged.substr(merged.size() - 2) == "\r\n", qPrintable(name));
            QVERIFY2(keptInOrder(splitLines(bytes), splitLines(merged)), qPrintable(name));
            stopLeague();
        }
    }

    void oddTeamListsFillTheTeamBox()
    {
        for (const auto& [name, bytes] : oddFiles()) {
            startLeague({{"teams.txt", bytes}});
            QVERIFY2(shown("Form1"), qPrintable(name));
            QCOMPARE(control<QComboBox>("Form1", "Combo1")->count(), int(splitLines(bytes).size()));
            stopLeague();
        }
    }

    void mergeRunRefusesTeamListsItCannotUse()
    {
        std::vector<std::string> tooMany;
        for (int team = 0; team <= 100; ++team)
            tooMany.push_back("T" + std::to_string(team));
        for (const std::string& teams : {joinLines(tooMany), joinLines({"TOR", "../x"})}) {
            startLeague({{"teams.txt", teams}, {"TOR.txt", "Arvo Lindqvist      <TOR> 1.6/3 \r\n"}});
            commissionerMenu();
            const auto before = test::snapshot(league().path());
            const Message message = mergeRun();
            QCOMPARE(message.icon, QMessageBox::Critical);
            QVERIFY2(message.text.contains(QStringLiteral("No team was merged")), qPrintable(message.text));
            QVERIFY(shown("Form4"));
            QVERIFY(test::snapshot(league().path()) == before);
            stopLeague();
        }
    }

    // A mailed team file that speaks for other teams: it signs a player for
    // itself, takes back and replaces other teams' offers, slips a player
    // line into the list. Every such line is passed over and reported.
    void teamFileSpeaksOnlyForItsOwnTeam()
    {
        const std::vector<std::string> hostile = {
            "Arvo Lindqvist      <SIGNED> <TOR> 9.9/5 ",
            "Arvo Lindqvist      <NY> <RETRACT>",
            "Pekka Roine         <DAL> 0.1/1 cheap",
            "Pekka Roine         Ola Moen               25   UFA     500000   C 60",
        };
        startLeague({{"TOR.txt", joinLines(hostile)}});
        commissionerMenu();
        QCOMPARE(mergeRun().text, QStringLiteral("new fa.txt created"));
        QCOMPARE(league().read("fa.txt"), joinLines(test::elevenLines()));
        const QString report = control<QPlainTextEdit>("RunReport", "reportText")->toPlainText();
        QCOMPARE(report.count(QStringLiteral(": not used: ")), 4);
        stopLeague();
    }

    void okRefusesATeamNameThatLeavesTheFolder()
    {
        startLeague({});
        Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { chooseTeam(QStringLiteral("../x")); }));
        QVERIFY2(message.text.contains(QStringLiteral("../x")), qPrintable(message.text));
        QVERIFY(shown("Form1") && !window("Form2"));
        stopLeague();
    }

    void freeAgentListThatIsAFolderIsReported()
    {
        startLeague({});
        fs::remove(file("fa.txt"));
        fs::create_directory(file("fa.txt"));
        Message message;
        QVERIFY(test::answered({test::ok(&message)}, [] { chooseTeam(QStringLiteral("TOR")); }));
        QCOMPARE(message.icon, QMessageBox::Critical);
        QVERIFY2(message.text.contains(QStringLiteral("fa.txt")), qPrintable(message.text));
        QVERIFY(shown("Form1") && !window("Form2"));
        stopLeague();

        startLeague({{"TOR.txt", "Arvo Lindqvist      <TOR> 1.6/3 \r\n"}});
        fs::remove(file("fa.txt"));
        fs::create_directory(file("fa.txt"));
        commissionerMenu();
        const auto before = test::snapshot(league().path());
        QCOMPARE(mergeRun().icon, QMessageBox::Critical);
        QVERIFY(test::snapshot(league().path()) == before);
        stopLeague();
    }

    // A named pipe would block the window thread forever and a link to an
    // endless device would eat memory: both are refused as fa.txt, through
    // the team window and the merge run alike; a team file that links to
    // nothing is not created through the link.
    void specialFilesAndLinksToNothingAreRefused()
    {
        if (!test::hasPosix())
            QSKIP(test::posixOnly("named pipes and device files").c_str());
        const std::function<void(const fs::path&)> specials[] = {
            [](const fs::path& fa) { test::makeNamedPipe(test::pathOf(fa)); },
            [](const fs::path& fa) { fs::create_symlink("/dev/zero", fa); },
        };
        for (const auto& makeSpecial : specials) {
            startLeague({});
            fs::remove(file("fa.txt"));
            makeSpecial(file("fa.txt"));
            Message message;
            QVERIFY(test::answered({test::ok(&message)}, [] { chooseTeam(QStringLiteral("TOR")); }));
            QCOMPARE(message.text, QString::fromStdString(file("fa.txt").string() + " is not a regular file"));
            QVERIFY(shown("Form1") && !window("Form2"));
            league().write("TOR.txt", "Arvo Lindqvist      <TOR> 1.6/3 \r\n");
            commissionerMenu();
            const auto before = test::snapshot(league().path());
            QCOMPARE(mergeRun().text, message.text);
            QVERIFY(test::snapshot(league().path()) == before);
            stopLeague();
        }

        test::TempDir elsewhere;
        startLeague({});
        fs::create_symlink(test::fsPath(elsewhere.file("TOR.txt")), file("TOR.txt"));
        commissionerMenu();
        const Message message = mergeRun();
        QCOMPARE(message.icon, QMessageBox::Critical);
        QVERIFY2(message.text.endsWith(QStringLiteral("TOR.txt: it is a link to a file that does not exist")),
                 qPrintable(message.text));
        QVERIFY(!elsewhere.exists("TOR.txt"));
        stopLeague();
    }

    void picturesAsPagesAndVanishedPagesAreReported()
    {
        const std::string picture = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(4000, '\xff');
        for (const char* vanished : {"", "roster.html"}) {
            startLeague({{"roster.html", picture}, {"vitals.html", picture}, {"marketVal.txt", "earlier\r\n"}});
            QVERIFY(enterCommissionerMenu());
            control("Form4", "Command2")->click();
            auto* files = control<QListWidget>("Form5", "File1");
            QTest::mouseClick(control<QLineEdit>("Form5", "Text1"), Qt::LeftButton); // shows the file list
            control<QLineEdit>("Form5", "Text2")->setText(QStringLiteral("vitals.html"));
            const QList<QListWidgetItem*> roster = files->findItems(QStringLiteral("roster.html"), Qt::MatchExactly);
            QCOMPARE(roster.size(), 1);
            if (*vanished)
                fs::remove(file(vanished)); // between the file list and the click
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(roster[0]).center());
            QCOMPARE(control<QLineEdit>("Form5", "Text1")->text(), QStringLiteral("roster.html"));
            const Message message = messageOf(control("Form5", "Command1"));
            if (*vanished) {
                QCOMPARE(message.icon, QMessageBox::Critical);
                QVERIFY2(message.text.startsWith(QStringLiteral("File not found: "))
                             && message.text.endsWith(QStringLiteral("/roster.html")),
                         qPrintable(message.text));
            } else {
                QVERIFY2(message.text.contains(QStringLiteral("does not appear to be a valid")), qPrintable(message.text));
            }
            QVERIFY(shown("Form5"));
            QCOMPARE(league().read("marketVal.txt"), std::string("earlier\r\n"));
            stopLeague();
        }
    }

    void cleanupTestCase() { qInfo("bad inputs tried: %d", badInputsTried); }
};

QTEST_MAIN(BadInput)
#include "badinput_test.moc"
