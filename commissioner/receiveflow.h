#pragma once
#include <QStringList>

#include "gui/session.h"

class QWidget;

namespace bidmark {

// Receive Offer Files…: the files chosen (from the folder a mail program
// saved them in) taken in as their teams' files, in one journalled run, each
// team's file that holds offers not yet merged only as the user answers.
// Says what was taken in and what was refused, and why. True when a file was
// taken in.
bool receiveOfferFiles(QWidget* parent, const Session& session, const QStringList& files);
QStringList chooseOfferFiles(QWidget* parent);

} // namespace bidmark
