#include "gui/questionboxes.h"

#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark::gui {

bool QuestionBoxes::yes(const Question& question) { return askYesNo(parent_, toQt(question.text), kTitle); }

void QuestionBoxes::tell(std::string_view message) { showMessage(parent_, toQt(message)); }

} // namespace bidmark::gui
