#include "editor/search.h"

#include <array>

#include "core/falist.h"
#include "core/text.h"

namespace bidmark {

namespace {

// Whether lines hold the text, their letters read in lower case: no
// lower-case copy of each line. The text is compared from its end at each
// place tried, and the next place tried is the first at which the line's
// character under the text's last one could stand in the text (a name moves
// on by up to its length at a time).
class CaselessText {
public:
    explicit CaselessText(std::string_view text) : sought_(lowerCase(text))
    {
        for (std::size_t value = 0; value < lower_.size(); ++value)
            lower_[value] = byte(lowerLetter(static_cast<char>(value)));
        shift_.fill(sought_.size());
        for (std::size_t at = 0; at + 1 < sought_.size(); ++at)
            shift_[byte(sought_[at])] = sought_.size() - 1 - at;
    }

    // The text is not empty.
    bool heldBy(std::string_view line) const
    {
        const std::size_t size = sought_.size();
        for (std::size_t at = 0; at + size <= line.size(); at += shift_[lowered(line[at + size - 1])]) {
            std::size_t unmatched = size;
            while (unmatched > 0 && lowered(line[at + unmatched - 1]) == byte(sought_[unmatched - 1]))
                --unmatched;
            if (unmatched == 0)
                return true;
        }
        return false;
    }

private:
    static unsigned char byte(char c) { return static_cast<unsigned char>(c); }
    unsigned char lowered(char c) const { return lower_[byte(c)]; }

    std::array<unsigned char, 256> lower_; // each byte as a letter read in lower case
    std::string sought_;
    std::array<std::size_t, 256> shift_; // by the lower-case byte under the text's last character
};

} // namespace

std::optional<std::size_t> findNext(const std::vector<std::string_view>& lines,
                                    std::optional<std::size_t> selected, std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const CaselessText sought(text);
    for (std::size_t row = selected ? *selected + 1 : 0; row < lines.size(); ++row) {
        if (sought.heldBy(lines[row]))
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
