#include "editor/search.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/falist.h"
#include "core/text.h"

namespace bidmark {

namespace {

// Where text stands in bytes, its letters read in lower case, with no
// lower-case copy of the bytes. Sixteen places are tried at once where the
// processor can: those where the bytes under the text's first and last
// characters could be them, each then compared in full.
class CaselessText {
public:
    explicit CaselessText(std::string_view text) : sought_(lowerCase(text))
    {
        for (std::size_t value = 0; value < lower_.size(); ++value)
            lower_[value] = byte(lowerLetter(static_cast<char>(value)));
        forFirst_ = bytesReadAs(sought_.front());
        forLast_ = bytesReadAs(sought_.back());
    }

    // The first place from `from` at which the text stands whole, or npos.
    // The text is not empty.
    std::size_t findIn(std::string_view bytes, std::size_t from) const
    {
        const std::size_t size = sought_.size();
        if (bytes.size() < size)
            return std::string_view::npos;
        const std::size_t lastPlace = bytes.size() - size;
        std::size_t place = from;
#if defined(__SSE2__)
        if (forFirst_ && forLast_) {
            struct EitherByte {
                __m128i one, other; // each of the sixteen bytes
            };
            const auto either = [](const std::array<unsigned char, 2>& values) {
                return EitherByte{_mm_set1_epi8(static_cast<char>(values[0])), _mm_set1_epi8(static_cast<char>(values[1]))};
            };
            const EitherByte first = either(*forFirst_), last = either(*forLast_);
            const auto matching = [](const char* at, const EitherByte& values) {
                const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
                return _mm_or_si128(_mm_cmpeq_epi8(chunk, values.one), _mm_cmpeq_epi8(chunk, values.other));
            };
            for (; place + 15 <= lastPlace; place += 16) {
                unsigned candidates = static_cast<unsigned>(_mm_movemask_epi8(
                    _mm_and_si128(matching(bytes.data() + place, first), matching(bytes.data() + place + size - 1, last))));
                for (; candidates != 0; candidates &= candidates - 1) {
                    const std::size_t candidate = place + static_cast<std::size_t>(__builtin_ctz(candidates));
                    if (standsAt(bytes, candidate))
                        return candidate;
                }
            }
        }
#endif
        for (; place <= lastPlace; ++place) {
            if (lowered(bytes[place + size - 1]) == byte(sought_.back()) && standsAt(bytes, place))
                return place;
        }
        return std::string_view::npos;
    }

private:
    static unsigned char byte(char c) { return static_cast<unsigned char>(c); }
    unsigned char lowered(char c) const { return lower_[byte(c)]; }

    bool standsAt(std::string_view bytes, std::size_t place) const
    {
        for (std::size_t at = 0; at < sought_.size(); ++at) {
            if (lowered(bytes[place + at]) != byte(sought_[at]))
                return false;
        }
        return true;
    }

    // The bytes read as the character, twice over when it has one; nothing
    // when more than two are.
    std::optional<std::array<unsigned char, 2>> bytesReadAs(char lowerCharacter) const
    {
        std::vector<unsigned char> found;
        for (std::size_t value = 0; value < lower_.size(); ++value) {
            if (lower_[value] == byte(lowerCharacter))
                found.push_back(static_cast<unsigned char>(value));
        }
        if (found.empty() || found.size() > 2)
            return std::nullopt;
        return std::array<unsigned char, 2>{found.front(), found.back()};
    }

    std::array<unsigned char, 256> lower_; // each byte as a letter read in lower case
    std::string sought_;
    std::optional<std::array<unsigned char, 2>> forFirst_, forLast_;
};

} // namespace

std::optional<std::size_t> findNext(std::string_view bytes, const std::vector<std::string_view>& lines,
                                    std::optional<std::size_t> selected, std::string_view text)
{
    if (text.empty() || lines.empty())
        return std::nullopt;
    const CaselessText sought(text);
    const auto offset = [&bytes](std::string_view line) { return static_cast<std::size_t>(line.data() - bytes.data()); };
    const std::string_view listed = bytes.substr(0, offset(lines.back()) + lines.back().size());
    for (std::size_t row = selected ? *selected + 1 : 0; row < lines.size();) {
        const std::size_t place = sought.findIn(listed, offset(lines[row]));
        if (place == std::string_view::npos)
            return std::nullopt;
        // The line the place falls in, when it is listed: the last one that
        // starts at or before it. Past its end the place is in a line left
        // out, or the text runs on into the next line.
        const auto after = std::upper_bound(lines.begin() + static_cast<std::ptrdiff_t>(row), lines.end(), place,
                                            [&](std::size_t at, std::string_view line) { return at < offset(line); });
        const std::size_t holder = static_cast<std::size_t>(after - lines.begin()) - 1;
        if (place + text.size() <= offset(lines[holder]) + lines[holder].size())
            return holder;
        row = holder + 1;
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
