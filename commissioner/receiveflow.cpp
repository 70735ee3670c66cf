#include "commissioner/receiveflow.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "commissioner/receive.h"
#include "gui/leaguerun.h"
#include "gui/messages.h"
#include "gui/paths.h"
#include "gui/text.h"

namespace bidmark {

namespace {

Taking askTaking(QWidget* parent, const Arrival& arrival)
{
    QMessageBox box(QMessageBox::Question, gui::kTitle, gui::toQt(waitingLinesQuestion(arrival)),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(QStringLiteral("Replace"), QMessageBox::AcceptRole);
    QPushButton* add = box.addButton(QStringLiteral("Add After"), QMessageBox::AcceptRole);
    QPushButton* skip = box.addButton(QStringLiteral("Skip"), QMessageBox::RejectRole);
    box.setDefaultButton(add);
    box.setEscapeButton(skip);
    box.exec();
    if (box.clickedButton() == replace)
        return Taking::Replace;
    return box.clickedButton() == add ? Taking::AddAfter : Taking::Skip;
}

} // namespace

std::vector<Path> chooseOfferFiles(QWidget* parent)
{
    return gui::chooseFilesToOpen(parent, QStringLiteral("Receive Offer Files"),
                                  QStringLiteral("Team offer files (*.txt *.TXT);;All files (*)"));
}

bool receiveOfferFiles(QWidget* parent, const Session& session, const std::vector<Path>& files)
{
    bool taken = false;
    gui::guarded(parent, [&] {
        Receiving receiving(session.leagueFolder);
        QStringList refused;
        for (const Path& file : files) {
            const Arrival arrival = receiving.inspect(file);
            if (!arrival.refused.empty()) {
                refused << gui::toQt(arrival.refused);
                continue;
            }
            receiving.take(arrival, arrival.holdsWaitingLines ? askTaking(parent, arrival) : Taking::Replace);
        }
        if (!receiving.files().empty()) {
            gui::leagueRun(parent, session, kReceiveRunName, [&] { return receiving.files(); },
                           [&](const Path&) { receiving.write(); });
            taken = true;
        }
        QStringList said;
        for (const std::string& line : receiving.summary())
            said << gui::toQt(line);
        said += refused;
        if (!said.isEmpty())
            gui::showMessage(parent, said.join(QLatin1Char('\n')));
    });
    return taken;
}

} // namespace bidmark
