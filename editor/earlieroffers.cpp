#include "editor/earlieroffers.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

// The keys looked up, each marking one bit of a small table by its first and
// last eight bytes: a key whose bit is clear is none of them, found so
// without hashing it. Most players of the list are passed over so.
class KeySieve {
public:
    void mark(std::string_view key) { bits_.set(place(key)); }
    bool mayHold(std::string_view key) const { return bits_.test(place(key)); }

private:
    static constexpr int kPlaceBits = 14;
    static std::size_t place(std::string_view key)
    {
        if (key.empty())
            return 0;
        const std::size_t width = std::min<std::size_t>(8, key.size());
        std::uint64_t head = 0, tail = 0;
        std::memcpy(&head, key.data(), width);
        std::memcpy(&tail, key.data() + key.size() - width, width);
        return static_cast<std::size_t>(((head * 0x9E3779B97F4A7C15u) ^ (tail * 0xC2B2AE3D27D4EB4Fu)) >> (64 - kPlaceBits));
    }
    std::bitset<std::size_t{1} << kPlaceBits> bits_;
};

// The blocks of fa.txt by name key: the lines below each player line up to
// the next player line or empty line, as the merge sees them. Only the
// players of the given lines are looked up, not every player of the list;
// the keys are views into both lists, which outlive it.
class Blocks {
public:
    Blocks(const std::vector<std::string_view>& lines, const std::vector<std::string>& wanted)
        : lines_(lines)
    {
        std::unordered_set<std::string_view> keys;
        KeySieve sieve;
        for (const std::string& line : wanted) {
            keys.insert(keyOf(line));
            sieve.mark(keyOf(line));
        }
        for (std::size_t row = 0; row < lines.size(); ++row) {
            if (!isPlayerLine(lines[row]))
                continue;
            const std::string_view key = keyOf(lines[row]);
            if (!sieve.mayHold(key) || keys.count(key) == 0)
                continue;
            std::size_t end = row + 1;
            while (end < lines.size() && !isPlayerLine(lines[end]) && !isEmptyLine(lines[end]))
                ++end;
            byKey_[key].push_back({row + 1, end});
        }
    }

    bool lists(const std::string& key) const { return byKey_.count(key) != 0; }

    // Whether a line of a block of the player satisfies the test.
    template <class Test>
    bool anyLine(const std::string& key, Test test) const
    {
        const auto found = byKey_.find(key);
        if (found == byKey_.end())
            return false;
        for (const auto& [begin, end] : found->second) {
            if (std::any_of(lines_.begin() + static_cast<std::ptrdiff_t>(begin),
                            lines_.begin() + static_cast<std::ptrdiff_t>(end), test))
                return true;
        }
        return false;
    }

private:
    // The name key, as nameKey gives it, without a copy.
    static std::string_view keyOf(std::string_view line) { return line.substr(0, 20); }

    const std::vector<std::string_view>& lines_;
    std::unordered_map<std::string_view, std::vector<std::pair<std::size_t, std::size_t>>> byKey_;
};

bool isMerged(const std::string& line, const Blocks& blocks)
{
    const std::string key = nameKey(line);
    const std::string text = offerText(line);
    if (!isRetraction(line))
        return blocks.anyLine(key, [&](std::string_view shown) { return shown == text; });
    const std::string tag = text.substr(0, text.find('>') + 2); // "<TOR> "
    return !blocks.anyLine(key, [&](std::string_view shown) { return shown.substr(0, tag.size()) == tag; });
}

} // namespace

EarlierOffers sortEarlierOffers(const std::vector<std::string>& fileLines,
                                const std::vector<std::string_view>& freeAgentLines)
{
    const Blocks blocks(freeAgentLines, fileLines);
    EarlierOffers earlier;
    for (const std::string& line : fileLines) {
        if (line.empty())
            continue;
        ++earlier.held;
        if (!blocks.lists(nameKey(line)))
            continue;
        if (isMerged(line, blocks))
            ++earlier.merged;
        else
            earlier.shown.push_back(line);
    }
    return earlier;
}

EarlierOffers readEarlierOffers(const Path& folder, std::string_view team,
                                const std::vector<std::string_view>& freeAgentLines)
{
    const Path path = pathIn(folder, teamOfferFileName(team));
    if (!fileExists(path))
        return {};
    return sortEarlierOffers(readLines(path), freeAgentLines);
}

std::string earlierOffersSummary(std::string_view team, const EarlierOffers& earlier)
{
    if (earlier.held == 0)
        return {};
    const std::size_t leftOut = earlier.held - earlier.merged - earlier.shown.size();
    std::string summary = teamOfferFileName(team) + " held " + std::to_string(earlier.held)
        + (earlier.held == 1 ? " line: " : " lines: ") + std::to_string(earlier.merged) + " merged, ";
    if (leftOut > 0)
        summary += std::to_string(leftOut) + " for players no longer listed, ";
    return summary + std::to_string(earlier.shown.size()) + " shown below.";
}

std::vector<std::string> offersToWrite(const std::vector<std::string>& entries,
                                       const std::vector<std::string>& shownEarlier,
                                       const std::vector<std::string>& fileNow,
                                       const std::vector<std::string_view>& freeAgentsNow)
{
    const std::unordered_set<std::string> earlier(shownEarlier.begin(), shownEarlier.end());
    const std::vector<std::string> still = sortEarlierOffers(fileNow, freeAgentsNow).shown;
    const std::unordered_set<std::string> stillShown(still.begin(), still.end());
    std::vector<std::string> lines;
    for (const std::string& entry : entries) {
        if (earlier.count(entry) == 0 || stillShown.count(entry) != 0)
            lines.push_back(entry);
    }
    return lines;
}

} // namespace bidmark
