#include "gui/questionboxes.h"

#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark::gui {

bool QuestionBoxes::yes(const Question& question) { return askYesNo(parent_, toQt(question.text), kTitle); }

std::optional<bool> QuestionBoxes::yesOrNo(const Question& question)
{
    const Choice choice = askYesNoCancel(parent_, toQt(question.text));
    if (choice == Choice::Cancel)
        return std::nullopt;
    return choice == Choice::Yes;
}

void QuestionBoxes::tell(std::string_view message) { showMessage(parent_, toQt(message)); }

} // namespace bidmark::gui
