// The program driven by the keyboard alone, on a copy of the sample league:
// every key goes to the control that has the focus, every dialog is answered
// with Enter or Esc.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QStyleHints>
#include <QtTest>

#include "core/linefile.h"
#include "tests/support/dialogs.h"
#include "tests/support/program.h"
#include "tests/support/findwindows.h"

using namespace bidmark;
using test::shown;

namespace {

// The control that takes the keys, once the window system has handed the
// focus back after a dialog closed.
QWidget* focused()
{
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }))
        qFatal("no control has the focus");
    return QApplication::focusWidget();
}

void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), key, modifiers);
}

void type(const char* text)
{
    QTest::keyClicks(focused(), QString::fromLatin1(text));
}

// Waits until the window of this name is the active one, the one that takes
// the keys.
[[nodiscard]] bool active(const char* name)
{
    return QTest::qWaitFor([name] { return QApplication::activeWindow() == test::window(name); });
}

// Tab until the control of this name has the focus, in the active window.
[[nodiscard]] bool tabTo(const char* name)
{
    for (int presses = 0; presses < 40; ++presses) {
        if (focused()->objectName() == QLatin1String(name))
            return true;
        key(Qt::Key_Tab);
    }
    qWarning("Tab never reached %s", name);
    return false;
}

// Answers a dialog with what is typed, then a key (Enter: the default button,
// Esc: No or Cancel), sent to the dialog's focused control; keeps a message
// box's text.
test::Answer keys(const char* typed, Qt::Key then, QString* text = nullptr)
{
    return [typed, then, text](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog); box && text)
            *text = box->text();
        QWidget* control = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QTest::keyClicks(control, QString::fromLatin1(typed));
        QTest::keyClick(control, then);
    };
}

// Runs the action and answers its dialogs by keys; then gives the keys back
// to the window the action came from, as a window manager does when a dialog
// closes (the offscreen platform has none).
[[nodiscard]] bool answered(std::vector<test::Answer> answers, const std::function<void()>& action)
{
    QWidget* from = QApplication::activeWindow();
    if (!test::answered(std::move(answers), action))
        return false;
    if (!from || !from->isVisible())
        return true;
    from->activateWindow();
    return QTest::qWaitFor([from] { return QApplication::activeWindow() == from; });
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Program> program_;

    test::TempDir& league() { return program_->league(); }

private slots:
    // On macOS Tab reaches buttons and check boxes only with the system's
    // full keyboard access, which a keyboard user turns on.
    void initTestCase() { QGuiApplication::styleHints()->setTabFocusBehavior(Qt::TabFocusAllControls); }
    void init()
    {
        program_ = std::make_unique<test::Program>();
        const Path sample(BIDMARK_SAMPLE_LEAGUE);
        for (const std::string& name : pickableFiles(sample))
            league().write(name, readFile(sample / name));
        program_->start();
        QVERIFY(active("Form1"));
    }
    void cleanup() { program_.reset(); }

    // Team, filter, search, offer, an offer taken back and kept, Done writing
    // the earlier offers the list opened with and the new one.
    void generalManager()
    {
        QCOMPARE(focused()->objectName(), QStringLiteral("Combo1")); // the team box first
        type("TOR");
        key(Qt::Key_F, Qt::AltModifier); // the File menu, not an "f" in the team box
        QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("fileMenu"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
        key(Qt::Key_Escape); // out of the menu bar, back to the team box
        QCOMPARE(test::control<QComboBox>("Form1", "Combo1")->currentText(), QStringLiteral("TOR"));
        const std::string earlier = "Rune Velton         <TOR> 0.75/2 depth role\r\n"; // not merged yet: shown
        league().write("TOR.txt", earlier);
        QVERIFY(tabTo("Command1"));
        key(Qt::Key_Space);
        QVERIFY(shown("Form2"));
        QVERIFY(active("Form2"));

        QCOMPARE(test::control<QListWidget>("Form2", "List2")->count(), 1);
        for (int presses = 0; presses < 30; ++presses) { // Tab goes past the caption boxes
            key(Qt::Key_Tab);
            QVERIFY(focused()->objectName() != QLatin1String("Text1") && focused()->objectName() != QLatin1String("Text2"));
        }
        QVERIFY(tabTo("Check5"));
        key(Qt::Key_Space); // no goalies
        QVERIFY(tabTo("Text4"));
        type("pellridge");
        key(Qt::Key_Return); // Search for
        QVERIFY(tabTo("List1"));
        key(Qt::Key_Return); // as a double-click: the Contract dialog
        QVERIFY(active("Form3"));
        QCOMPARE(focused()->objectName(), QStringLiteral("Text1"));
        type("1.5");
        key(Qt::Key_Tab);
        type("3");
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        type("keys only");
        key(Qt::Key_Return); // OK
        QVERIFY(!shown("Form3"));
        QVERIFY(active("Form2"));

        const std::string offer = "Cale Pellridge      <TOR> 1.5/3 keys only";
        QVERIFY(tabTo("List2")); // the first entry has the focus, none is selected
        QVERIFY(answered({keys("", Qt::Key_Escape)}, [] { key(Qt::Key_Delete); })); // No
        QVERIFY(answered({keys("", Qt::Key_Escape)}, [] { key(Qt::Key_Return); }));
        QVERIFY(tabTo("Command1"));
        QString created;
        QVERIFY(answered({keys("", Qt::Key_Return, &created)}, [] { key(Qt::Key_Space); }));
        QCOMPARE(created, QStringLiteral("TOR.txt created, Mail it now!"));
        QCOMPARE(league().read("TOR.txt"), earlier + offer + "\r\n");
    }

    // Password, merge, sign a player to an offer, market values.
    void commissioner()
    {
        QVERIFY(tabTo("Command2"));
        QVERIFY(answered({keys("quaysider", Qt::Key_Return)}, [] { key(Qt::Key_Space); }));
        QVERIFY(shown("Form4"));
        QVERIFY(active("Form4"));

        QVERIFY(tabTo("Command1"));
        QString merged;
        QVERIFY(answered({keys("", Qt::Key_Return), keys("", Qt::Key_Return, &merged)},
                               [] { key(Qt::Key_Space); }));
        QCOMPARE(merged, QStringLiteral("new fa.txt created"));

        QVERIFY(tabTo("Command4"));
        key(Qt::Key_Space);
        QVERIFY(active("Form2"));
        QVERIFY(tabTo("Text4"));
        type("velton");
        key(Qt::Key_Return);
        QVERIFY(tabTo("List1"));
        key(Qt::Key_Return); // the player
        key(Qt::Key_Down);
        key(Qt::Key_Return); // the offer under him
        QVERIFY(tabTo("Command1"));
        key(Qt::Key_Space); // Merge Signed Players
        QVERIFY(shown("Form4") && !shown("Form2"));
        QVERIFY(league().read("fa.txt").find("<SIGNED> <BOS> 0.75/2 depth role") != std::string::npos);

        QVERIFY(active("Form4"));
        QVERIFY(tabTo("Command2"));
        key(Qt::Key_Space);
        QVERIFY(active("Form5"));
        QVERIFY(tabTo("Text1"));
        key(Qt::Key_F4); // the file picker, as a click opens it
        QVERIFY(test::control<QWidget>("Form5", "Frame1")->isVisible());
        QCOMPARE(focused()->objectName(), QStringLiteral("File1"));
        QVERIFY(tabTo("Text1"));
        type("roster.html");
        key(Qt::Key_Tab);
        type("vitals.html");
        QVERIFY(tabTo("Command1"));
        QString done;
        QVERIFY(answered({keys("", Qt::Key_Return, &done)}, [] { key(Qt::Key_Space); }));
        QVERIFY2(done.startsWith(QStringLiteral("DONE")), qPrintable(done));
        QVERIFY(league().exists("marketVal.txt"));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
