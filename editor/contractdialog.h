#pragma once
#include <optional>
#include <string>
#include <vector>
#include <QWidget>

#include "gui/session.h"

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace bidmark {

// The Contract dialog: the terms of one offer (or a retraction) for the player
// it was opened for, whom it names; what is selected behind it meanwhile does
// not matter. Not modal; its buttons hide it, none destroys it. Enter is OK
// (or the button that has the focus), Esc is Cancel.
class ContractDialog : public QWidget {
    Q_OBJECT
public:
    explicit ContractDialog(const Session& session, QWidget* parent = nullptr);

    // Shows the dialog, not modal, with its four boxes emptied, for the
    // player of this block (his line first, then the lines under him); an
    // open dialog moves to him.
    void open(std::vector<std::string> playerBlock);

signals:
    void entryMade(const std::string& teamOfferLine); // OK or Retract
    void finished(); // hidden by a button: the player list comes back

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void makeOffer();
    void makeRetraction();
    void cancel();
    void pressEnter(); // the focused button, or OK
    struct TypedTerms {
        std::string salary, years, bonus, comments;
    };
    // The four boxes as Windows-1252 bytes; nothing after a message when one
    // of them holds a character that cannot be stored.
    std::optional<TypedTerms> typedTerms();
    void emptyBoxes();
    void handBack(); // hides the dialog and hands back to the player list

    const Session& session_;
    std::vector<std::string> playerBlock_;
    QLabel* playerName_;
    QLineEdit* salary_;
    QLineEdit* years_;
    QLineEdit* bonus_;
    QLineEdit* comments_;
};

} // namespace bidmark
