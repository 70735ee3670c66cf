#include "commissioner/form4.h"

#include <optional>
#include <string>

#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "commissioner/merge_run.h"
#include "core/failure.h"
#include "core/gui/captionbutton.h"
#include "core/gui/widgets.h"

namespace bidmark {

namespace {

template <class Widget>
Widget* place(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    gui::placeTwips(widget, left, top, width, height);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int top)
{
    auto* widget = place<gui::CaptionButton>(parent, name, 4560, top, 1455, 615);
    widget->setText(caption);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
              int width, int height)
{
    auto* widget = place<QLabel>(parent, name, left, top, width, height);
    widget->setTextFormat(Qt::PlainText); // "<SIGNED>" is text, not markup
    widget->setWordWrap(true);
    widget->setText(caption);
    return widget;
}

QCheckBox* option(QWidget* parent, const char* name, int top)
{
    auto* widget = place<QCheckBox>(parent, name, 3960, top, 255, 255);
    widget->setChecked(true);
    return widget;
}

// The merge name for the signing header; Cancel gives empty text.
std::string askMergeName(QWidget* parent)
{
    const QString typed = QInputDialog::getText(parent, gui::kTitle, QStringLiteral("Enter name of this merger"),
                                                QLineEdit::Normal, QStringLiteral("FA01 Signed Players"));
    std::optional<std::string> name = gui::fromQt(typed);
    if (!name)
        throw Failure("The merge name holds characters that signed.txt cannot store.");
    return *name;
}

} // namespace

Form4::Form4(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Commissioners Menu"));
    gui::sizeTwips(this, 6090, 4065);
    QPalette red = palette();
    red.setColor(QPalette::Window, QColor(192, 0, 0));
    setPalette(red);
    setAutoFillBackground(true);

    auto* command2 = button(this, "Command2", QStringLiteral("Calculate a Market Value for Free Agents"), 1200);
    label(this, "Label3",
          QStringLiteral("This requires your leauges vitals.html and Team Scoring.html and can be seen "
                         "when signing players"),
          600, 1200, 3735, 615);
    auto* command1 = button(this, "Command1", QStringLiteral("Merge Team Offers (new fa.txt)"), 1920);
    label(this, "Label1", QStringLiteral("Move existing <SIGNED> players to Signed.txt"), 240, 1920, 3615, 255);
    check1_ = option(this, "Check1", 1920);
    label(this, "Label2", QStringLiteral("Delete team offers after merging"), 240, 2280, 3615, 255);
    check2_ = option(this, "Check2", 2280);
    auto* command4 = button(this, "Command4", QStringLiteral("Sign Players   (new fa.txt)"), 2640);
    label(this, "Label4",
          QStringLiteral("Review current offers from teams,  relative to a players market value and sign "
                         "them to a contract"),
          720, 2640, 3615, 615);
    auto* command3 = button(this, "Command3", QStringLiteral("Done"), 3360);
    auto* list1 = place<QListWidget>(this, "List1", 5040, 120, 855, 255);
    list1->hide(); // the scratch list stays hidden and empty: the merge works in memory

    // Tab order of the controls that take focus: Check2, Command1, Command2,
    // List1, Command3, Command4, Check1.
    QWidget* order[] = {check2_, command1, command2, list1, command3, command4, check1_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(command1, &QPushButton::clicked, this, &Form4::mergeTeamOffers);
    connect(command2, &QPushButton::clicked, this, &Form4::calculatorRequested);
    connect(command3, &QPushButton::clicked, this, [] { gui::endProgram(); });
    connect(command4, &QPushButton::clicked, this, &Form4::signPlayersRequested);
}

bool Form4::moveSignedPlayers() const { return check1_->isChecked(); }

void Form4::mergeTeamOffers()
{
    gui::guarded(this, [this] {
        const bool moveSigned = check1_->isChecked();
        std::optional<std::string> mergeName;
        if (moveSigned)
            mergeName = askMergeName(this);
        {
            gui::BusyCursor busy;
            mergeAllTeamOffers(".", mergeName, {moveSigned, check2_->isChecked()});
        }
        gui::showMessage(this, QStringLiteral("new fa.txt created"));
    });
}

} // namespace bidmark
