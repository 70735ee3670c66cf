#pragma once
#include <QFont>

// The program's fonts: a narrow sans-serif for captions, a fixed pitch for
// the columns of the league's lines.
namespace bidmark::gui {

void useProgramFont(); // for the whole program, before its windows are made
QFont fixedFont(double pointSize);
QFont sansFont(double pointSize, bool bold);

} // namespace bidmark::gui
