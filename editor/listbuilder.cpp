#include "editor/listbuilder.h"

namespace bidmark {

namespace {

// A line's kind: one bit for each filter his line matches (the bit of the
// filter's number), and these.
constexpr std::uint16_t kListed = 1u << kFilterCount;
constexpr std::uint16_t kShownAlways = 1u << (kFilterCount + 1); // a heading or empty line

} // namespace

LineKinds lineKinds(const std::vector<std::string_view>& faLines)
{
    LineKinds kinds;
    kinds.lines.assign(faLines.size(), 0);
    for (std::size_t row = 0; row < faLines.size(); ++row) {
        const std::string_view line = faLines[row];
        // Every filter pattern also asks for the listed player form, so only
        // such a line can be held back by a box.
        if (isListedPlayerLine(line))
            kinds.lines[row] |= kListed;
        if (isHeadingLine(line) || isEmptyLine(line))
            kinds.lines[row] |= kShownAlways;
    }
    return kinds;
}

// Each line is listed with the flag that the line above left behind, as its
// kind sets it: a listed player line sets it by the boxes of the filters he
// matches, and a heading or empty line sets it after that.
std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, const std::vector<std::string_view>& faLines,
                                              LineKinds& kinds)
{
    std::uint16_t unticked = 0;
    for (int box = 0; box < kFilterCount; ++box) {
        const auto bit = static_cast<std::uint16_t>(1u << box);
        if (ticked[box])
            continue;
        unticked |= bit;
        if (kinds.known & bit)
            continue;
        for (std::size_t row = 0; row < faLines.size(); ++row) {
            if ((kinds.lines[row] & kListed) && matchesFilter(faLines[row], static_cast<Filter>(box)))
                kinds.lines[row] |= bit;
        }
        kinds.known |= bit;
    }
    std::vector<std::string_view> listed;
    listed.reserve(faLines.size());
    bool flag = true;
    for (std::size_t row = 0; row < faLines.size(); ++row) {
        const std::uint16_t kind = kinds.lines[row];
        if (kind & kListed)
            flag = (kind & unticked) == 0;
        if (kind & kShownAlways)
            flag = true;
        if (flag)
            listed.push_back(faLines[row]);
    }
    return listed;
}

std::vector<std::string_view> buildPlayerList(const FilterBoxes& ticked, const std::vector<std::string_view>& faLines)
{
    LineKinds kinds = lineKinds(faLines);
    return buildPlayerList(ticked, faLines, kinds);
}

} // namespace bidmark
