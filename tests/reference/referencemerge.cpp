#include "tests/reference/referencemerge.h"

#include <optional>
#include <vector>

#include "core/contract.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark::test {

namespace {

// fa.txt read line by line.
class LineReader {
public:
    explicit LineReader(const Path& path) : lines_(readLines(path)) {}
    bool atEnd() const { return next_ == lines_.size(); }
    std::string read() { return lines_[next_++]; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

void onePass(const Path& folder, const std::string& t, bool moveSigned)
{
    const std::string key = nameKey(t);
    const std::string offer = offerText(t);
    const std::string tag = tagStart(t);
    const bool retraction = isRetraction(t);

    LineReader fa(pathIn(folder, "fa.txt"));
    std::vector<std::string> temp;
    std::vector<std::string> scratch;
    std::optional<std::string> held;
    std::string current;

    for (;;) {
        // Top of the walk.
        if (held) {
            current = *held;
            held.reset();
        } else if (fa.atEnd()) {
            break;
        } else {
            current = fa.read();
        }

        if (!isPlayerLine(current)) {
            temp.push_back(current);
            continue;
        }

        if (leftPart(current, 20) == key) {
            temp.push_back(current);
            for (;;) {
                if (fa.atEnd()) {
                    if (!retraction)
                        temp.push_back(offer);
                    break;
                }
                std::string line = fa.read();
                if (isPlayerLine(line)) {
                    if (!retraction)
                        temp.push_back(offer);
                    held = line;
                    break;
                }
                if (line.empty()) {
                    if (!retraction)
                        temp.push_back(offer);
                    temp.push_back(line);
                    break;
                }
                if (leftPart(line, 4) == tag
                    && (wildcardMatch(line, "<?" "?>*") || wildcardMatch(line, "<??" "?>*"))) {
                    if (!retraction)
                        temp.push_back(offer);
                    break;
                }
                temp.push_back(line);
            }
            continue;
        }

        scratch.clear();
        scratch.push_back(current);
        const std::string blockPlayer = current;
        std::string blockSigned;
        bool isSigned = false;
        while (!fa.atEnd()) {
            std::string line = fa.read();
            if (isPlayerLine(line)) {
                held = line;
                break;
            }
            if (line.empty()) {
                scratch.push_back(line);
                break;
            }
            if (wildcardMatch(line, "<SIGNED>*")) {
                blockSigned = line;
                isSigned = true;
                break;
            }
            scratch.push_back(line);
        }
        if (isSigned && moveSigned) {
            appendLines(pathIn(folder, "signed.txt"), {blockPlayer, blockSigned});
        } else {
            for (const std::string& line : scratch)
                temp.push_back(line);
            if (isSigned)
                temp.push_back(blockSigned);
        }
    }
    writeLinesAtomic(pathIn(folder, "temp.txt"), temp);
    // Copy temp.txt over fa.txt.
    writeFileAtomic(pathIn(folder, "fa.txt"), readFile(pathIn(folder, "temp.txt")));
}

// The mend on top of the algorithm: a team's file speaks only for its own
// team, COMMISH.txt only for signings; every other line is passed over.
bool speaksForItsTeam(const std::string& team, const std::string& t)
{
    return foreignLine(team, t) == ForeignLine::None;
}

// And the league's contract rules: an offer that breaks them for a player of
// its name key in the list as it stands is passed over too.
bool keepsTheRules(const Path& folder, const std::string& team, const std::string& t)
{
    if (team == kCommissionerTeam || isRetraction(t))
        return true;
    for (const std::string& line : readLines(pathIn(folder, "fa.txt"))) {
        if (isPlayerLine(line) && nameKey(line) == nameKey(t) && offerRuleBroken(offerText(t), line))
            return false;
    }
    return true;
}

} // namespace

void referenceMergeTeamOffers(const Path& folder, const std::string& team, bool moveSignedPlayers)
{
    const Path offerFile = pathIn(folder, teamOfferFileName(team));
    appendLines(offerFile, {});
    for (const std::string& t : readLines(offerFile)) {
        if (wildcardMatch(t, "??????????????????????*") && speaksForItsTeam(team, t) && keepsTheRules(folder, team, t))
            onePass(folder, t, moveSignedPlayers);
    }
}

} // namespace bidmark::test
