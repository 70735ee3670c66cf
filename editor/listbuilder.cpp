#include "editor/listbuilder.h"

namespace bidmark {

namespace {

// Whether the line and those under it are listed, given the flag that the
// line above left behind. Each test may undo the one before it.
bool showFlag(std::string_view line, bool flag, const FilterBoxes& ticked)
{
    // Every filter pattern also asks for the listed player form, so only such
    // a line can be held back by a box.
    if (isListedPlayerLine(line)) {
        flag = true;
        for (int box = 0; box < kFilterCount; ++box) {
            if (!ticked[box] && matchesFilter(line, static_cast<Filter>(box)))
                flag = false;
        }
    }
    if (isHeadingLine(line) || isEmptyLine(line))
        flag = true;
    return flag;
}

} // namespace

std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, std::vector<std::string_view> faLines)
{
    // Keeps the listed lines in place, in file order.
    std::size_t kept = 0;
    bool flag = true;
    for (const std::string_view line : faLines) {
        flag = showFlag(line, flag, ticked);
        if (flag)
            faLines[kept++] = line;
    }
    faLines.resize(kept);
    return faLines;
}

} // namespace bidmark
