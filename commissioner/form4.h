#pragma once
#include <QWidget>

class QCheckBox;

namespace bidmark {

// The Commissioners Menu: merge every team's offers into fa.txt, open the
// market value calculator, sign players, or end the program.
class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);
    bool moveSignedPlayers() const; // Check1 ticked

signals:
    void calculatorRequested();   // Command2 clicked
    void signPlayersRequested();  // Command4 clicked

private:
    void mergeTeamOffers();

    QCheckBox* check1_;
    QCheckBox* check2_;
};

} // namespace bidmark
