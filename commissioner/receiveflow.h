#pragma once
#include <vector>

#include "gui/session.h"

class QWidget;

namespace bidmark {

// Receive Offer Files…: the files chosen (from the folder a mail program
// saved them in) taken in as their teams' files, in one journalled run, each
// team's file that holds offers not yet merged only as the user answers.
// Says what was taken in and what was refused, and why. True when a file was
// taken in.
bool receiveOfferFiles(QWidget* parent, const Session& session, const std::vector<Path>& files);
std::vector<Path> chooseOfferFiles(QWidget* parent);

} // namespace bidmark
