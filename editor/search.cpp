#include "editor/search.h"

#include "core/falist.h"
#include "core/text.h"

namespace bidmark {

std::optional<std::size_t> findNext(const std::vector<std::string>& lines,
                                    std::optional<std::size_t> selected, std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const std::string sought = lowerCase(text);
    for (std::size_t row = selected ? *selected + 1 : 0; row < lines.size(); ++row) {
        if (lowerCase(lines[row]).find(sought) != std::string::npos)
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> findPlayer(const std::vector<std::string>& lines, std::string_view nameKey)
{
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (isPlayerLine(lines[row]) && bidmark::nameKey(lines[row]) == nameKey)
            return row;
    }
    return std::nullopt;
}

} // namespace bidmark
