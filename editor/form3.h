#pragma once
#include <functional>
#include <optional>
#include <string>
#include <QWidget>

#include "gui/session.h"

class QLineEdit;

namespace bidmark {

// The Contract dialog: the terms of one offer (or a retraction) for the player
// selected in the player list at the moment OK or Retract is pressed. Not
// modal; its buttons hide it, none destroys it.
class Form3 : public QWidget {
    Q_OBJECT
public:
    // `selectedPlayerLine` gives the selected line of the player list (empty
    // when none is selected).
    Form3(const Session& session, std::function<std::string()> selectedPlayerLine,
          QWidget* parent = nullptr);

    // Shows the dialog, not modal, with its four boxes emptied.
    void open();

signals:
    void entryMade(const std::string& teamOfferLine); // OK or Retract
    void finished(); // hidden by a button: the player list comes back

private:
    void makeOffer();
    void makeRetraction();
    void cancel();
    // The selected line when it is a player line; otherwise says why nothing
    // can be added and gives empty text.
    std::string selectedPlayer();
    struct TypedTerms {
        std::string salary, years, bonus, comments;
    };
    // The four boxes as Windows-1252 bytes; nothing after a message when one
    // of them holds a character that cannot be stored.
    std::optional<TypedTerms> typedTerms();
    void emptyBoxes();
    void handBack(); // hides the dialog and hands back to the player list

    const Session& session_;
    std::function<std::string()> selectedPlayerLine_;
    QLineEdit* salary_;
    QLineEdit* years_;
    QLineEdit* bonus_;
    QLineEdit* comments_;
};

} // namespace bidmark
