#include "form3.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/falist.h"
#include "core/gui/captionbutton.h"
#include "core/gui/widgets.h"
#include "editor/contract.h"
#include "editor/typedtext.h"

namespace bidmark {

namespace {

constexpr int kCommentLimit = 70;

QLabel* addLabel(QWidget* form, const char* name, const char* caption, double points,
                 int left, int top, int width, int height)
{
    auto* label = new QLabel(QString::fromLatin1(caption), form);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(gui::sansFont(points, true));
    label->setWordWrap(true);
    gui::placeTwips(label, left, top, width, height);
    return label;
}

QLineEdit* addBox(QWidget* form, const char* name, int left, int top, int width, int height)
{
    auto* box = new QLineEdit(form);
    box->setObjectName(QString::fromLatin1(name));
    gui::placeTwips(box, left, top, width, height);
    return box;
}

QPushButton* addButton(QWidget* form, const char* name, const char* caption,
                       int left, int top, int width, int height)
{
    auto* button = new gui::CaptionButton(QString::fromLatin1(caption), form);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    gui::placeTwips(button, left, top, width, height);
    return button;
}

} // namespace

Form3::Form3(const Session& session, std::function<std::string()> selectedPlayerLine,
             QWidget* parent)
    : QWidget(parent, Qt::Window)
    , session_(session)
    , selectedPlayerLine_(std::move(selectedPlayerLine))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Contract"));
    gui::sizeTwips(this, 5700, 4200);

    addLabel(this, "Label1", "Enter Salary in Millions", 9.75, 240, 240, 1455, 615);
    salary_ = addBox(this, "Text1", 240, 840, 1335, 375);
    addLabel(this, "Label2", "Years", 12, 1920, 240, 1335, 375);
    years_ = addBox(this, "Text2", 1920, 840, 1455, 375);
    addLabel(this, "Label3", "Bonus in Millions", 9.75, 3840, 240, 1455, 615);
    bonus_ = addBox(this, "Text3", 3840, 840, 1695, 375);
    addLabel(this, "Label4", "Comments for Player", 12, 240, 1560, 3015, 375);
    comments_ = addBox(this, "Text4", 0, 2160, 5655, 375);
    comments_->setMaxLength(kCommentLimit);
    QPushButton* ok = addButton(this, "Command1", "OK", 120, 2760, 1455, 615);
    QPushButton* cancel = addButton(this, "Command2", "Cancel", 1920, 2760, 1335, 615);
    QPushButton* retract =
        addButton(this, "Command3", "Retract An Existing Offer", 3600, 2760, 1335, 615);

    setTabOrder(salary_, years_);
    setTabOrder(years_, bonus_);
    setTabOrder(bonus_, comments_);
    setTabOrder(comments_, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, retract);

    connect(ok, &QPushButton::clicked, this, &Form3::makeOffer);
    connect(cancel, &QPushButton::clicked, this, &Form3::cancel);
    connect(retract, &QPushButton::clicked, this, &Form3::makeRetraction);
}

void Form3::open()
{
    show();
    raise();
    activateWindow();
    emptyBoxes();
}

void Form3::makeOffer()
{
    gui::guarded(this, [&] {
        const std::string player = selectedPlayer();
        if (player.empty())
            return;
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

void Form3::makeRetraction()
{
    gui::guarded(this, [&] {
        const std::string player = selectedPlayer();
        if (player.empty())
            return;
        emit entryMade(bidmark::makeRetraction(player, session_.currentTeam));
        emptyBoxes();
        handBack();
    });
}

void Form3::cancel()
{
    handBack();
}

std::optional<Form3::TypedTerms> Form3::typedTerms()
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

std::string Form3::selectedPlayer()
{
    std::string line = selectedPlayerLine_();
    if (isPlayerLine(line))
        return line;
    gui::showMessage(this, gui::toQt(kNoPlayerSelected));
    return {};
}

void Form3::emptyBoxes()
{
    salary_->clear();
    years_->clear();
    bonus_->clear();
    comments_->clear();
}

void Form3::handBack()
{
    hide();
    emit finished();
}

} // namespace bidmark
