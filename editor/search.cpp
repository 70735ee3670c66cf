#include "editor/search.h"

#include <algorithm>
#include <array>

#include "core/falist.h"
#include "core/text.h"

namespace bidmark {

namespace {
// Whether the line holds the text (given in lower case), its letters read in
// lower case: no lower-case copy of each line. A place is looked at only while
// the text still fits after it.
bool holdsIgnoringCase(std::string_view line, std::string_view lowerText)
{
    static const std::array<char, 256> lower = [] {
        std::array<char, 256> table{};
        for (std::size_t byte = 0; byte < table.size(); ++byte)
            table[byte] = lowerLetter(static_cast<char>(byte));
        return table;
    }();
    const auto same = [&](char a, char b) { return lower[static_cast<unsigned char>(a)] == b; };
    if (line.size() < lowerText.size())
        return false;
    const std::size_t last = line.size() - lowerText.size();
    for (std::size_t at = 0; at <= last; ++at) {
        if (same(line[at], lowerText[0])
            && std::equal(lowerText.begin() + 1, lowerText.end(), line.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                          [&](char b, char a) { return same(a, b); }))
            return true;
    }
    return false;
}
} // namespace

std::optional<std::size_t> findNext(const std::vector<std::string_view>& lines,
                                    std::optional<std::size_t> selected, std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const std::string sought = lowerCase(text);
    for (std::size_t row = selected ? *selected + 1 : 0; row < lines.size(); ++row) {
        if (holdsIgnoringCase(lines[row], sought))
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> findPlayer(const std::vector<std::string_view>& lines, std::string_view nameKey)
{
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (isPlayerLine(lines[row]) && bidmark::nameKey(lines[row]) == nameKey)
            return row;
    }
    return std::nullopt;
}

} // namespace bidmark
