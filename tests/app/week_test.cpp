// A free-agency week replayed through the windows: two general managers, each
// in his own folder, make offers on two days; the commissioner merges and
// signs in between and mails fa.txt back. Each Done writes what its offer
// list shows, and no offer the commissioner merged is sent again.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <map>

#include "core/linefile.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
#include "tests/support/findwindows.h"

using namespace bidmark;
using test::control;
using test::shown;

namespace {

const std::string kArvo = "Arvo Lindqvist      ";
const std::string kPekka = "Pekka Roine         ";
const std::string kCale = "Cale Pellridge      ";
const std::string kRune = "Rune Velton         ";

// The eleven lines and two more players without offers.
std::vector<std::string> weekList()
{
    std::vector<std::string> lines = test::elevenLines();
    for (const std::string& player : {test::playerLine("Cale Pellridge", 25, "UFA", 1500000, "RW", 84),
                                      test::playerLine("Rune Velton", 36, "UFA", 3835000, "LW", 86)}) {
        lines.push_back(player);
        lines.push_back("");
    }
    return lines;
}

QAbstractItemView* playerList() { return control<QAbstractItemView>("Form2", "List1"); }

// The first line of the player list that begins with this text.
void select(const std::string& start)
{
    QAbstractItemModel* model = playerList()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data().toString().startsWith(QString::fromStdString(start))) {
            playerList()->setCurrentIndex(model->index(row, 0));
            return;
        }
    }
    qFatal("%s is not listed", start.c_str());
}

void doubleClick(const std::string& key)
{
    select(key);
    emit playerList()->doubleClicked(playerList()->currentIndex());
}

QWidget* contractDialog() { return test::window("Form2")->findChild<QWidget*>(QStringLiteral("Form3")); }

// Terms typed into the open Contract dialog, then one of its buttons.
void terms(const char* salary, const char* years, const char* bonus, const char* comments, const char* button)
{
    const std::pair<const char*, const char*> boxes[] = {
        {"Text1", salary}, {"Text2", years}, {"Text3", bonus}, {"Text4", comments}};
    for (auto [box, text] : boxes)
        contractDialog()->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QString::fromLatin1(text));
    contractDialog()->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

QStringList offerList()
{
    QStringList entries;
    auto* list = control<QListWidget>("Form2", "List2");
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

QString label(const char* name) { return control<QLabel>("Form2", name)->text(); }

[[nodiscard]] bool done()
{
    return test::answered({test::ok()}, [] { control("Form2", "Command1")->click(); });
}

} // namespace

class WeekTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Program> program_;

    // One member's program on his own folder, holding fa.txt as mailed to
    // him and whatever he kept of his own; the member before is gone.
    test::TempDir& start(const std::string& fa, const std::map<std::string, std::string>& kept = {})
    {
        program_.reset();
        program_ = std::make_unique<test::Program>();
        program_->league().write("fa.txt", fa);
        for (const auto& [name, text] : kept)
            program_->league().write(name, text);
        program_->start();
        return program_->league();
    }

private slots:
    void cleanup() { program_.reset(); }

    void aWeekOfOffers()
    {
        const std::string monday = joinLines(weekList());

        // Day 1, TOR. The dialog names Cale; Rune is clicked behind it; OK
        // makes the offer for Cale.
        test::TempDir* folder = &start(monday);
        test::chooseTeam(QStringLiteral("TOR"));
        QCOMPARE(label("earlierOffers"), QString());
        test::offer(1); // Arvo 1.5/2
        doubleClick(kCale);
        QCOMPARE(contractDialog()->findChild<QLabel*>(QStringLiteral("playerName"))->text(),
                 QStringLiteral("Cale Pellridge"));
        select(kRune);
        terms("2.0", "3", "0.5", "top six minutes", "Command1");
        QVERIFY(done());
        const std::string mailedTor = kArvo + "<TOR> 1.5/2 \r\n" + kCale + "<TOR> 2.0/3 +0.5 top six minutes\r\n";
        QCOMPARE(folder->read("TOR.txt"), mailedTor);

        // Later that day TOR sees what he mailed, is refused an offer for a
        // signed player, and adds one for Rune.
        folder = &start(monday, {{"TOR.txt", mailedTor}});
        test::chooseTeam(QStringLiteral("TOR"));
        QCOMPARE(label("earlierOffers"), QStringLiteral("TOR.txt held 2 lines: 0 merged, 2 shown below."));
        QCOMPARE(offerList().size(), 2);
        doubleClick("Jonas Brandt        ");
        test::Message refusal;
        QVERIFY(test::answered({test::ok(&refusal)}, [] { terms("1.0", "1", "", "", "Command1"); }));
        QCOMPARE(refusal.text, QStringLiteral("Jonas Brandt is already signed."));
        doubleClick(kRune);
        terms("1.0", "1", "", "", "Command1");
        QVERIFY(done());
        const std::string keptTor = mailedTor + kRune + "<TOR> 1.0/1 \r\n"; // never mailed
        QCOMPARE(folder->read("TOR.txt"), keptTor);

        // Day 1, NY: takes back his offer for Arvo, offers for Pekka, and
        // closes the window: asked, he writes the list as Done does.
        folder = &start(monday);
        test::chooseTeam(QStringLiteral("NY"));
        doubleClick(kArvo);
        terms("", "", "", "", "Command3");
        doubleClick(kPekka);
        terms("0.9", "2", "", "", "Command1");
        test::Message question, created;
        QVERIFY(test::answered({test::press(QStringLiteral("Yes"), &question), test::ok(&created)},
                               [] { test::window("Form2")->close(); }));
        QCOMPARE(question.text, QStringLiteral("Write your offers to NY.txt before closing?"));
        QCOMPARE(created.text, QStringLiteral("NY.txt created, Mail it now!"));
        const std::string mailedNy = kArvo + "<NY> <RETRACT>\r\n" + kPekka + "<NY> 0.9/2 \r\n";
        QCOMPARE(folder->read("NY.txt"), mailedNy);

        // The commissioner merges both files, signs Cale to TOR's offer and
        // closes the signing window: asked, he merges; the menu comes back.
        folder = &start(monday, {{"TOR.txt", mailedTor}, {"NY.txt", mailedNy}});
        QVERIFY(test::enterCommissionerMenu());
        QVERIFY(test::answered({test::type(QStringLiteral("FA07")), test::ok()},
                               [] { control("Form4", "Command1")->click(); }));
        control("Form4", "Command4")->click();
        doubleClick(kCale);
        doubleClick("<TOR> 2.0/3 +0.5 top six minutes");
        QVERIFY(test::answered({test::press(QStringLiteral("Yes"), &question)},
                               [] { test::window("Form2")->close(); }));
        QCOMPARE(question.text, QStringLiteral("Merge the signed players into fa.txt before closing?"));
        QVERIFY(shown("Form4") && !shown("Form2"));
        const std::string tuesday = folder->read("fa.txt");
        QVERIFY(tuesday.find("<SIGNED> <TOR> 2.0/3 +0.5 top six minutes") != std::string::npos);

        // Day 2, TOR: only Rune's offer is still to be sent.
        folder = &start(tuesday, {{"TOR.txt", keptTor}});
        test::chooseTeam(QStringLiteral("TOR"));
        QCOMPARE(label("earlierOffers"), QStringLiteral("TOR.txt held 3 lines: 2 merged, 1 shown below."));
        QCOMPARE(offerList(), QStringList{QString::fromStdString(kRune + "<TOR> 1.0/1 ")});
        doubleClick(kPekka);
        terms("0.5", "1", "", "", "Command1");
        QVERIFY(done());
        QCOMPARE(folder->read("TOR.txt"), kRune + "<TOR> 1.0/1 \r\n" + kPekka + "<TOR> 0.5/1 \r\n");

        // Day 2, NY: everything merged; his own offers at a glance; Done
        // empties the file, so nothing goes twice.
        folder = &start(tuesday, {{"NY.txt", mailedNy}});
        test::chooseTeam(QStringLiteral("NY"));
        QCOMPARE(label("earlierOffers"), QStringLiteral("NY.txt held 2 lines: 2 merged, 0 shown below."));
        QVERIFY(offerList().isEmpty());
        control<QCheckBox>("Form2", "myOffers")->click();
        QCOMPARE(playerList()->model()->rowCount(), 5); // Pekka and the lines under him, down to Cale
        QCOMPARE(label("myOffersTotal"), QStringLiteral("1 standing offer, 0 entries in the list: 0.9 million a year"));
        QVERIFY(done());
        QCOMPARE(folder->read("NY.txt"), std::string());
    }
};

QTEST_MAIN(WeekTest)
#include "week_test.moc"
