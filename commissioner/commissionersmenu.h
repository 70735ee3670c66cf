#pragma once
#include <QWidget>

#include "commissioner/mergereport.h"
#include "gui/session.h"

class QCheckBox;

namespace bidmark {

class OffersReceived;

// The Commissioners Menu: merge every team's offers into fa.txt, open the
// market value calculator, sign players, undo the last run, publish the
// league page, or end the program.
class CommissionersMenu : public QWidget {
    Q_OBJECT
public:
    explicit CommissionersMenu(const Session& session, QWidget* parent = nullptr);
    bool moveSignedPlayers() const; // Check1 ticked

signals:
    void calculatorRequested();   // Command2 clicked
    void signPlayersRequested();  // Command4 clicked
    void publishPageRequested();  // Publish League Page… clicked
    void merged(const MergeReport& report); // a Merge Team Offers run has ended and said so
    void runUndone(const Path& runFolder); // Undo Last Run put back that run's files

private:
    void mergeTeamOffers();
    void showOffersReceived();
    void undoLastRun();

    const Session& session_;
    QCheckBox* moveSigned_;
    QCheckBox* deleteOffers_;
    OffersReceived* offersReceived_ = nullptr; // created on first use
};

} // namespace bidmark
