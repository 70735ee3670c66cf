#pragma once
#include <vector>
#include <QWidget>

#include "gui/session.h"

class QTableWidget;

namespace bidmark {

// Offers Received: for each team of teams.txt, its offer file or "nothing
// received", its lines, how many the merge would use and refuse (and why),
// when the file changed, and the copies a mail program made of it, each with
// a button that takes it as the team's file. Not modal; the table is worked
// out again whenever the window is shown or a file is taken in.
class OffersReceived : public QWidget {
    Q_OBJECT
public:
    OffersReceived(const Session& session, bool moveSignedPlayers, QWidget* parent = nullptr);
    void refresh(bool moveSignedPlayers);

private:
    void receive(const std::vector<Path>& files);

    const Session& session_;
    bool moveSigned_;
    QTableWidget* table_;
};

} // namespace bidmark
