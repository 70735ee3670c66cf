#include <algorithm>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QScreen>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/recentleagues.h"
#include "core/linefile.h"
#include "gui/paths.h"
#include "gui/text.h"
#include "help/helptexts.h"
#include "tests/support/dialogs.h"
#include "tests/support/findwindows.h"
#include "tests/support/tempdir.h"

using namespace bidmark;

namespace {
// Records each caption the frame is painted with.
struct CaptionPaints : QObject {
    QStringList captions;
    bool eventFilter(QObject* frame, QEvent* event) override
    {
        const QString caption = static_cast<QGroupBox*>(frame)->title();
        if (event->type() == QEvent::Paint && (captions.isEmpty() || captions.last() != caption))
            captions << caption;
        return false;
    }
};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> folder_;
    Session session_;
    std::unique_ptr<MainWindow> form_;

    void open(const std::vector<std::string>& teams)
    {
        folder_->writeLines("teams.txt", teams);
        form_ = std::make_unique<MainWindow>(session_);
        form_->show();
    }
    QStringList teams()
    {
        QStringList listed;
        for (int i = 0; i < combo()->count(); ++i)
            listed << combo()->itemText(i);
        return listed;
    }
    // Folders compared as places: a folder chooser may spell one otherwise
    // (separators, links such as macOS's /var).
    static QString place(const QString& folder)
    {
        return QFileInfo(QDir::fromNativeSeparators(folder)).canonicalFilePath();
    }
    static QString place(const Path& folder) { return place(gui::toQt(folder)); }
    QStringList recentLeagues()
    {
        QStringList listed;
        for (QAction* action : find<QMenu>("recentLeagues")->actions())
            listed << place(action->text());
        return listed;
    }
    QString folderShown() { return place(find<QAction>("leagueFolder")->text().section(QStringLiteral(": "), 1)); }
    // File, Open League Folder..., this folder chosen, and the dialogs that follow.
    [[nodiscard]] bool openLeague(const Path& folder, std::vector<test::Answer> after = {})
    {
        after.insert(after.begin(), test::chooseFolder(gui::toQt(folder)));
        return test::answered(after, [&] { find<QAction>("openLeague")->trigger(); });
    }
    template <class Widget>
    Widget* find(const char* name) { return form_->findChild<Widget*>(QString::fromLatin1(name)); }
    QComboBox* combo() { return find<QComboBox>("Combo1"); }
    // Key by key where the test can (so that a completion would show), whole otherwise.
    void type(const QString& text)
    {
        QLineEdit* edit = combo()->lineEdit();
        edit->clear();
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; }))
            QTest::keyClicks(edit, text);
        else
            edit->setText(text);
    }

private slots:
    void init()
    {
        QSettings().clear();
        folder_ = std::make_unique<test::TempDir>();
        session_ = Session{folder_->path(), {}};
    }
    void cleanup()
    {
        form_.reset();
        folder_.reset();
    }

    void startUpRevealsCaptionThenListsTeamsInFileOrder()
    {
        folder_->writeLines("teams.txt", {"TOR", "", "ny"});
        form_ = std::make_unique<MainWindow>(session_);
        CaptionPaints paints;
        find<QGroupBox>("Frame1")->installEventFilter(&paints);
        form_->show();
        QStringList prefixes;
        for (int n = 1; n <= 14; ++n)
            prefixes << QStringLiteral("Team Selection").left(n);
        QCOMPARE(paints.captions.mid(0, 14), prefixes);
        QCOMPARE(find<QGroupBox>("Frame1")->title(), QStringLiteral("Team Selection"));
        QCOMPARE(combo()->count(), 3);
        QCOMPARE(combo()->itemText(0) + "|" + combo()->itemText(1) + "|" + combo()->itemText(2),
                 QStringLiteral("TOR||ny"));
        QCOMPARE(combo()->currentText(), QStringLiteral("<none>"));
    }

    void missingTeamsFileIsReportedAndTheWindowRuns()
    {
        test::Message box;
        form_ = std::make_unique<MainWindow>(session_);
        QVERIFY(test::answered({test::ok(&box)}, [&] { form_->show(); }));
        QVERIFY(box.text.contains(QStringLiteral("teams.txt")));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(form_->isVisible());
        QCOMPARE(combo()->count(), 0);
        QCOMPARE(combo()->currentText(), QStringLiteral("<none>"));
    }

    void okTakesTheTeamNameAsTypedOrRefusesIt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::newRow("entry") << "TOR" << true;
        QTest::newRow("entry in lower case, not completed") << "tor" << true;
        QTest::newRow("none in capitals: a tag inside") << "<NONE>" << false;
        QTest::newRow("blank before none: a tag inside") << " <none>" << false;
        QTest::newRow("tag end") << "TOR> 1.0/1 " << false;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("commissioner") << "COMMISH" << true;
        QTest::newRow("Windows-1252 letters") << QStringLiteral("Malmö €") << true;
        QTest::newRow("path") << "../x" << false;
        QTest::newRow("free-agent list") << "fa" << false;
        QTest::newRow("team list in capitals") << "TEAMS" << false;
        QTest::newRow("not Windows-1252") << QStringLiteral("Ōsaka") << false;
    }
    void okTakesTheTeamNameAsTypedOrRefusesIt()
    {
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        open({"TOR", "NY"});
        QSignalSpy chosen(form_.get(), &MainWindow::teamChosen);
        type(typed);
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo()->count(), 2); // Enter adds nothing to the list
        test::Message box;
        std::vector<test::Answer> answers;
        if (!taken)
            answers.push_back(test::ok(&box));
        QVERIFY(test::answered(answers, [&] { find<QPushButton>("Command1")->click(); }));
        QCOMPARE(chosen.count(), taken ? 1 : 0);
        if (taken)
            QCOMPARE(gui::toQt(chosen.at(0).at(0).value<std::string>()), typed);
        else
            QVERIFY2(box.text.contains(typed), qPrintable(box.text));
        QVERIFY(form_->isVisible());
    }

    void okOnNoneDoesNothing()
    {
        open({"TOR"});
        QSignalSpy chosen(form_.get(), &MainWindow::teamChosen);
        QVERIFY(test::answered({}, [&] { find<QPushButton>("Command1")->click(); })); // no box
        QCOMPARE(chosen.count(), 0);
    }

    void passwordOpensTheMenuOnlyWhenExact_data()
    {
        QTest::addColumn<QString>("answer"); // a null answer cancels
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right") << "quaysider" << true;
        QTest::newRow("capitals") << "QUAYSIDER" << false;
        QTest::newRow("trailing blank") << "quaysider " << false;
        QTest::newRow("cancelled") << QString() << false;
    }
    void passwordOpensTheMenuOnlyWhenExact()
    {
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        open({"TOR"});
        QSignalSpy requested(form_.get(), &MainWindow::commissionerRequested);
        test::Prompt prompt;
        QVERIFY(test::answered({answer.isNull() ? test::cancel(&prompt) : test::type(answer, &prompt)},
                               [&] { find<QPushButton>("Command2")->click(); }));
        QCOMPARE(prompt.label + "|" + prompt.title, QStringLiteral("Enter password|Bidmark"));
        QCOMPARE(prompt.echo, QLineEdit::Password);
        QCOMPARE(requested.count(), accepted ? 1 : 0);
        QVERIFY(form_->isVisible());
    }

    void fileMenuOpensAnotherLeagueAndRemembersTheLastEight()
    {
        open({"TOR", "NY"});
        const QList<QAction*> menus = form_->menuBar()->actions();
        QCOMPARE(menus.at(0)->menu()->objectName() + "|" + menus.at(1)->menu()->objectName(),
                 QStringLiteral("fileMenu|Help"));
        const QString first = place(folder_->path());
        QCOMPARE(folderShown(), first);

        test::TempDir second, noLeague;
        second.writeLines("teams.txt", {"DAL"});
        QVERIFY(openLeague(second.path()));
        QCOMPARE(teams(), QStringList{"DAL"});
        QCOMPARE(combo()->currentText(), QStringLiteral("<none>"));
        QCOMPARE(place(session_.leagueFolder), place(second.path()));
        QCOMPARE(folderShown(), place(second.path()));

        test::Message message; // a folder without teams.txt changes nothing
        QVERIFY(openLeague(noLeague.path(), {test::ok(&message)}));
        QVERIFY2(message.text.contains(QStringLiteral("teams.txt")), qPrintable(message.text));
        QCOMPARE(teams(), QStringList{"DAL"});
        QCOMPARE(place(session_.leagueFolder), place(second.path()));
        QCOMPARE(recentLeagues(), (QStringList{place(second.path()), first}));

        session_.leagueFolder = folder_->path(); // started again in the first folder
        form_ = std::make_unique<MainWindow>(session_);
        form_->show();
        QCOMPARE(recentLeagues(), (QStringList{first, place(second.path())}));
        find<QMenu>("recentLeagues")->actions().at(1)->trigger();
        QCOMPARE(teams(), QStringList{"DAL"});

        std::vector<std::unique_ptr<test::TempDir>> more;
        for (int i = 0; i < recentLeagues::kLimit; ++i) {
            more.push_back(std::make_unique<test::TempDir>());
            more.back()->writeLines("teams.txt", {"T" + std::to_string(i)});
            QVERIFY(openLeague(more.back()->path()));
        }
        const QStringList recent = recentLeagues();
        QCOMPARE(recent.size(), recentLeagues::kLimit);
        QCOMPARE(recent.front(), place(more.back()->path()));
        QVERIFY(!recent.contains(first) && !recent.contains(place(second.path())));
    }

    void desktopStartOnAFolderWithoutLeagueAsksForOne_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("copy the sample league") << "Copy Sample League";
        QTest::newRow("open a league folder") << QStringLiteral("Open League Folder\u2026");
        QTest::newRow("cancel") << "Cancel";
    }
    void desktopStartOnAFolderWithoutLeagueAsksForOne()
    {
        QFETCH(QString, answer);
        // The sample league, and a file whose name is not ASCII ("Montréal.txt").
        test::TempDir sampleLeague;
        for (const std::string& name : pickableFiles(Path(BIDMARK_SAMPLE_LEAGUE)))
            sampleLeague.write(name, readFile(Path(BIDMARK_SAMPLE_LEAGUE) / name));
        sampleLeague.write("Montr\xC3\xA9" "al.txt", "an accented name\r\n");
        const QString sample = gui::toQt(sampleLeague.path());
        folder_->write("BOS.txt", "my offers\r\n"); // no league, but a file of the user's
        test::TempDir other;
        other.writeLines("teams.txt", {"DAL"});
        test::Message question;
        std::vector<test::Answer> answers{test::press(answer, &question)};
        if (answer.startsWith(QStringLiteral("Open")))
            answers.push_back(test::chooseFolder(gui::toQt(other.path())));
        form_ = std::make_unique<MainWindow>(session_, StartOptions{true, sample});
        QVERIFY(test::answered(answers, [&] { form_->show(); })); // no "File not found"
        const QString shown = QDir::toNativeSeparators(QDir(gui::toQt(folder_->path())).absolutePath());
        QVERIFY2(question.text.contains(shown)
                     && question.text.contains(QStringLiteral("neither fa.txt nor teams.txt")),
                 qPrintable(question.text));

        if (answer == QLatin1String("Copy Sample League")) {
            for (const std::string& name : pickableFiles(sampleLeague.path())) {
                QVERIFY2(folder_->exists(name), name.c_str());
                if (name != "BOS.txt")
                    QCOMPARE(folder_->read(name), sampleLeague.read(name));
            }
            QCOMPARE(folder_->read("BOS.txt"), std::string("my offers\r\n"));
            QCOMPARE(teams().size(), 8);
        } else if (answer.startsWith(QStringLiteral("Open"))) {
            QCOMPARE(teams(), QStringList{"DAL"});
            QCOMPARE(place(session_.leagueFolder), place(other.path()));
        } else {
            QCOMPARE(teams(), QStringList());
            QVERIFY(!folder_->exists("teams.txt"));
        }
        QCOMPARE(combo()->currentText(), QStringLiteral("<none>"));
    }

    void helpItemsShowTheirTexts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("ver") << "ver" << gui::toQt(versionText());
        QTest::newRow("aboutBidmark") << "aboutBidmark" << gui::toQt(aboutText());
        QTest::newRow("aboutVELD") << "aboutVELD" << gui::toQt(leagueText());
    }
    void helpItemsShowTheirTexts()
    {
        QFETCH(QString, item);
        QFETCH(QString, text);
        open({"TOR"});
        test::Message box;
        QVERIFY(test::answered({test::ok(&box)}, [&] { form_->findChild<QAction*>(item)->trigger(); }));
        QCOMPARE(box.text, text);
        QCOMPARE(box.title, QStringLiteral("Bidmark"));
        QCOMPARE(box.icon, QMessageBox::Information);
    }

    void userGuideShowsTheGuideBesideTheWindow()
    {
        folder_->write("GUIDE.md", "# Bidmark user guide\n\nPick your team.\n");
        folder_->writeLines("teams.txt", {"TOR"});
        StartOptions options;
        options.userGuide = gui::toQt(folder_->file("GUIDE.md"));
        form_ = std::make_unique<MainWindow>(session_, options);
        form_->show();
        form_->findChild<QAction*>("userGuide")->trigger();
        auto* guide = qobject_cast<QTextBrowser*>(test::window("UserGuide"));
        QVERIFY(guide && guide->isVisible());
        QCOMPARE(guide->toPlainText(), QStringLiteral("Bidmark user guide\nPick your team."));
        QVERIFY(guide->screen()->availableGeometry().contains(guide->frameGeometry().topLeft()));

        open({"TOR"}); // no guide found
        test::Message box;
        QVERIFY(test::answered({test::ok(&box)}, [&] { form_->findChild<QAction*>("userGuide")->trigger(); }));
        QCOMPARE(box.text, QStringLiteral("The user guide is not installed."));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
