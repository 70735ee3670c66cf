#include "commissioner/offer_pass.h"

#include "core/falist.h"
#include "core/teamfiles.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {

// The team's earlier offer: same first four characters as the new offer's tag,
// and a tag of two or three characters.
bool isEarlierOffer(const std::string& line, const TeamOffer& offer)
{
    return leftPart(line, 4) == offer.tagStart
        && (wildcardMatch(line, "<?" "?>*") || wildcardMatch(line, "<??" "?>*"));
}

// Where the block from `player` stops being examined for a signed line: at
// the next player line, an empty line or the signed line itself.
struct BlockEnd {
    std::size_t at;     // index of that line, or the end of the run
    bool isSigned;      // the line at `at` is a signed line
};

BlockEnd signedBlockEnd(const std::vector<std::string>& lines, std::size_t player)
{
    std::size_t i = player + 1;
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (isPlayerLine(line) || isEmptyLine(line))
            return {i, false};
        if (isSignedLine(line))
            return {i, true};
    }
    return {i, false};
}

class Pass {
public:
    Pass(std::vector<std::string>& lines, const TeamOffer& offer, bool moveSigned,
         std::vector<std::string>& moved)
        : lines_(lines), offer_(offer), moveSigned_(moveSigned), moved_(moved)
    {
        out_.reserve(lines.size() + 1);
    }

    std::vector<std::string> run()
    {
        std::size_t i = 0;
        while (i < lines_.size()) {
            if (!isPlayerLine(lines_[i]))
                out_.push_back(std::move(lines_[i++]));
            else if (nameKey(lines_[i]) == offer_.key)
                i = mergeNamedBlock(i);
            else
                i = copyOrMoveBlock(i);
        }
        return std::move(out_);
    }

private:
    void writeOffer()
    {
        if (!offer_.retraction)
            out_.push_back(offer_.text);
    }

    // The named player's block: the offer takes the team's earlier offer slot
    // or becomes the block's last line. Returns where the walk goes on.
    std::size_t mergeNamedBlock(std::size_t player)
    {
        out_.push_back(std::move(lines_[player]));
        for (std::size_t i = player + 1; i < lines_.size(); ++i) {
            std::string& line = lines_[i];
            if (isPlayerLine(line)) {
                writeOffer();
                return i; // held over: starts the next block
            }
            if (isEmptyLine(line)) {
                writeOffer();
                out_.push_back(std::move(line));
                return i + 1;
            }
            if (isEarlierOffer(line, offer_)) {
                writeOffer();
                return i + 1; // the rest of the block is copied as it stands
            }
            out_.push_back(std::move(line));
        }
        writeOffer();
        return lines_.size();
    }

    // Another player's block: copied, or moved out when signed and asked to.
    // The lines below a signed line are copied by the walk.
    std::size_t copyOrMoveBlock(std::size_t player)
    {
        const BlockEnd end = signedBlockEnd(lines_, player);
        if (end.isSigned && moveSigned_) {
            moved_.push_back(std::move(lines_[player]));
            moved_.push_back(std::move(lines_[end.at]));
            return end.at + 1;
        }
        const std::size_t last = end.isSigned || (end.at < lines_.size() && isEmptyLine(lines_[end.at]))
            ? end.at + 1
            : end.at;
        for (std::size_t i = player; i < last; ++i)
            out_.push_back(std::move(lines_[i]));
        return last;
    }

    std::vector<std::string>& lines_;
    const TeamOffer& offer_;
    bool moveSigned_;
    std::vector<std::string>& moved_;
    std::vector<std::string> out_;
};

} // namespace

TeamOffer teamOffer(std::string_view teamOfferLine)
{
    return {nameKey(teamOfferLine), offerText(teamOfferLine), tagStart(teamOfferLine),
            isRetraction(teamOfferLine)};
}

std::vector<std::string> applyPass(std::vector<std::string> lines, const TeamOffer& offer,
                                   bool moveSigned, std::vector<std::string>& moved)
{
    return Pass(lines, offer, moveSigned, moved).run();
}

bool holdsSignedBlock(const std::vector<std::string>& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isPlayerLine(lines[i]) && signedBlockEnd(lines, i).isSigned)
            return true;
    }
    return false;
}

} // namespace bidmark
