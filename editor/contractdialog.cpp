#include "editor/contractdialog.h"

#include <iterator>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/contract.h"
#include "editor/offerlist.h"
#include "gui/captionbutton.h"
#include "gui/captionfit.h"
#include "gui/controls.h"
#include "gui/fonts.h"
#include "gui/messages.h"
#include "gui/placement.h"
#include "gui/text.h"

namespace bidmark {

namespace {

constexpr int kCommentLimit = 70;

// The label of each box, in the order Text1..Text4, and the short name a
// screen reader hears for the box; where the label says more ("in
// Millions") it is the box's description too.
struct Label {
    const char* name;
    const char* caption;
    double points; // bold
    gui::Twips at;
    const char* heard;
};
constexpr Label kLabels[] = {
    {"Label1", "Enter Salary in Millions", 9.75, {240, 240, 1455, 615}, "Salary"},
    {"Label2", "Years", 12, {1920, 240, 1335, 375}, "Years"},
    {"Label3", "Bonus in Millions", 9.75, {3840, 240, 1455, 615}, "Bonus"},
    {"Label4", "Comments for Player", 12, {240, 1560, 3015, 375}, "Comments"},
};

// Enter is handled by the window: a button of its own would take it only
// while it has the focus.
QPushButton* button(QWidget* form, const char* name, gui::Twips at, const char* caption)
{
    auto* button = gui::named<gui::CaptionButton>(form, name, at, QString::fromLatin1(caption));
    button->setAutoDefault(false);
    return button;
}

} // namespace

ContractDialog::ContractDialog(const Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , session_(session)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Contract"));
    gui::sizeTwips(this, 5700, 4200);

    // Whom the offer is for, above the boxes.
    playerName_ = gui::named<QLabel>(this, "playerName", {240, 0, 5220, 240});
    playerName_->setFont(gui::sansFont(9.75, true));

    QLabel* labels[std::size(kLabels)];
    for (std::size_t i = 0; i < std::size(kLabels); ++i) {
        const Label& label = kLabels[i];
        labels[i] = gui::named<QLabel>(this, label.name, label.at, QString::fromLatin1(label.caption));
        labels[i]->setFont(gui::sansFont(label.points, true));
        labels[i]->setWordWrap(true);
    }
    salary_ = gui::named<QLineEdit>(this, "Text1", {240, 840, 1335, 375});
    years_ = gui::named<QLineEdit>(this, "Text2", {1920, 840, 1455, 375});
    bonus_ = gui::named<QLineEdit>(this, "Text3", {3840, 840, 1695, 375});
    comments_ = gui::named<QLineEdit>(this, "Text4", {0, 2160, 5655, 375});
    QLineEdit* const boxes[] = {salary_, years_, bonus_, comments_};
    for (std::size_t i = 0; i < std::size(kLabels); ++i) {
        labels[i]->setBuddy(boxes[i]);
        boxes[i]->setAccessibleName(QString::fromLatin1(kLabels[i].heard));
        if (labels[i]->text() != boxes[i]->accessibleName())
            boxes[i]->setAccessibleDescription(labels[i]->text());
    }
    comments_->setMaxLength(kCommentLimit);
    QPushButton* ok = button(this, "Command1", {120, 2760, 1455, 615}, "OK");
    QPushButton* cancel = button(this, "Command2", {1920, 2760, 1335, 615}, "Cancel");
    QPushButton* retract = button(this, "Command3", {3600, 2760, 1335, 615}, "Retract An Existing Offer");

    setTabOrder(salary_, years_);
    setTabOrder(years_, bonus_);
    setTabOrder(bonus_, comments_);
    setTabOrder(comments_, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, retract);

    connect(ok, &QPushButton::clicked, this, &ContractDialog::makeOffer);
    connect(cancel, &QPushButton::clicked, this, &ContractDialog::cancel);
    connect(retract, &QPushButton::clicked, this, &ContractDialog::makeRetraction);
    ok->setDefault(true);
    gui::fitCaptions(this);
}

void ContractDialog::open(std::vector<std::string> playerBlock)
{
    playerBlock_ = std::move(playerBlock);
    const QString name = gui::toQt(playerName(playerBlock_.front()));
    playerName_->setText(name);
    setAccessibleDescription(name);
    gui::showFrom(this, parentWidget(), gui::Place::Centred); // over the player list it was opened from
    activateWindow();
    emptyBoxes();
    salary_->setFocus();
}

void ContractDialog::makeOffer()
{
    gui::guarded(this, [&] {
        const std::string& player = playerBlock_.front();
        if (const std::optional<std::string> refusal = alreadySigned(playerBlock_)) {
            gui::showMessage(this, gui::toQt(*refusal));
            return;
        }
        const std::optional<TypedTerms> terms = typedTerms();
        if (!terms)
            return;
        const TermsCheck check = checkTerms(terms->salary, terms->years, terms->bonus, player);
        salary_->setText(gui::toQt(check.salary));
        bonus_->setText(gui::toQt(check.bonus));
        if (check.problem) {
            gui::showMessage(this, gui::toQt(*check.problem));
            return;
        }
        emit entryMade(bidmark::makeOffer(player, session_.currentTeam, check.salary, terms->years,
                                          check.bonus, terms->comments));
        emptyBoxes();
        handBack();
    });
}

void ContractDialog::makeRetraction()
{
    gui::guarded(this, [&] {
        emit entryMade(bidmark::makeRetraction(playerBlock_.front(), session_.currentTeam));
        emptyBoxes();
        handBack();
    });
}

void ContractDialog::cancel()
{
    handBack();
}

std::optional<ContractDialog::TypedTerms> ContractDialog::typedTerms()
{
    struct Box {
        const QLineEdit* edit;
        const char* name;
        std::string* text;
    };
    TypedTerms terms;
    for (const Box& box : {Box{salary_, "The salary", &terms.salary},
                           Box{years_, "The years", &terms.years},
                           Box{bonus_, "The bonus", &terms.bonus},
                           Box{comments_, "The comments", &terms.comments}}) {
        std::optional<std::string> text = gui::typedText(this, box.edit, QString::fromLatin1(box.name));
        if (!text)
            return std::nullopt;
        *box.text = std::move(*text);
    }
    return terms;
}

// Enter and Esc come here from the box or button that has the focus, which
// leaves them to its window.
void ContractDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        pressEnter();
    else if (event->key() == Qt::Key_Escape)
        cancel();
    else
        QWidget::keyPressEvent(event);
}

void ContractDialog::pressEnter()
{
    if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget()); focused && isAncestorOf(focused))
        focused->click();
    else
        findChild<QPushButton*>(QStringLiteral("Command1"))->click();
}

void ContractDialog::emptyBoxes()
{
    salary_->clear();
    years_->clear();
    bonus_->clear();
    comments_->clear();
}

void ContractDialog::handBack()
{
    hide();
    emit finished();
}

} // namespace bidmark
