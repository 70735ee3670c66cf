#pragma once
#include "core/path.h"

class QWidget;

namespace bidmark {

// Publish League Page…: asks where to write the league folder's page (the
// dialog asks before a file is replaced), writes it and says what it holds.
void publishLeaguePage(QWidget* parent, const Path& leagueFolder);

} // namespace bidmark
