#pragma once
#include <string>
#include <string_view>
#include <vector>

// One pass of the per-team merge: a single team offer line folded into a run
// of free-agent list lines that starts at a player line (or into a whole list).
// Each player block of the run is handled on its own, so a pass over a run
// gives the same lines as the same pass over the whole list would give there.
namespace bidmark {

// What one usable team offer line asks for.
struct TeamOffer {
    std::string key;       // name key of the player it names
    std::string text;      // the line to put into his block
    std::string tagStart;  // first four characters of its tag: finds the team's earlier offer
    bool retraction = false;
};

TeamOffer teamOffer(std::string_view teamOfferLine);

// The lines after the pass. In the block the offer names, the team's earlier
// offer is replaced (or dropped, for a retraction), else the offer becomes the
// block's last line. With `moveSigned`, every other block holding a signed
// line loses its player line, the offers above the signed line and the signed
// line; the player line and signed line are added to `moved`.
std::vector<std::string> applyPass(std::vector<std::string> lines, const TeamOffer& offer,
                                   bool moveSigned, std::vector<std::string>& moved);

// True when a pass with the move option would move some block of the run
// (a block whose key the pass names is left alone by that pass).
bool holdsSignedBlock(const std::vector<std::string>& lines);

} // namespace bidmark
