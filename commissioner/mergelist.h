#pragma once
#include <cstdint>
#include <deque>
#include <memory_resource>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "commissioner/labelledlist.h"

namespace bidmark {

// What one usable team offer line asks for.
struct TeamOffer {
    std::string key;       // name key of the player it names
    std::string text;      // the line to put into his block
    std::string tagStart;  // first four characters of its tag: finds the team's earlier offer
    bool retraction = false;
};

TeamOffer teamOffer(std::string_view teamOfferLine);

// What one pass did in one block of the player it names.
struct BlockChange {
    enum Kind { Added, Replaced, Retracted, NothingToRetract };
    Kind kind;
    std::string earlier; // the offer replaced or taken back
};

// The free-agent list held in memory while team offer lines are merged into
// it, one pass per line, each pass giving the list the step-by-step walk over
// the whole file would give. Only what a pass changes is visited: the blocks
// of the named player and, with the move option, the signed blocks; indexes
// find a team's earlier offer in a block, the block's end and its signed line
// without walking the block, so a pass costs about the same however long the
// blocks have grown.
//
// A player line's block, as the merge sees it, is the lines below it up to
// the next player line or empty line (the boundary lines).
//
// The list's lines stay where they are in the bytes it was made from, which
// must outlive it; only the lines a pass writes are held apart.
class MergeList {
public:
    explicit MergeList(std::string_view bytes); // the lines as splitLines finds them
    MergeList(const MergeList&) = delete;
    MergeList& operator=(const MergeList&) = delete;

    // One pass. In every block of the named player the team's earlier offer
    // is replaced (or dropped, for a retraction), else the offer becomes the
    // block's last line; one change per such block, in list order. With
    // `moveSigned`, every other block holding a signed line loses its player
    // line, the offers above the signed line and the signed line; the player
    // line and signed line are added to `moved`.
    std::vector<BlockChange> apply(const TeamOffer& offer, bool moveSigned, std::vector<std::string>& moved);

    // The player lines of the name key, in no set order.
    std::vector<std::string_view> playersNamed(const std::string& key) const;

    // The list as a file's bytes, each line followed by CR LF.
    std::string bytes();

private:
    struct Line : LabelledNode {
        enum Kind : unsigned char { Player, Empty, Signed, EarlierOffer, Other };
        std::string_view text;
        Kind kind = Other;
        // Boundary lines only: the boundary lines above and below, nullptr for none.
        Line* above = nullptr;
        Line* below = nullptr;
        // Player lines only: the other live player lines of its name key, and
        // the pass that added the line.
        Line* previousOfKey = nullptr;
        Line* nextOfKey = nullptr;
        int addedInPass = 0;
        bool isBoundary() const { return kind == Player || kind == Empty; }
    };
    struct ByPlace {
        bool operator()(const Line* a, const Line* b) const { return a->label < b->label; }
    };
    using Lines = std::pmr::set<Line*, ByPlace>;

    static Line::Kind kindOf(std::string_view line);
    // The first four characters of an earlier offer as one number; nothing
    // for a shorter text.
    static std::optional<std::uint32_t> tagOf(std::string_view text);
    Line* make(std::string_view text);
    std::string_view written(const std::string& text); // a line a pass writes, held apart
    void index(Line* line);
    void unindex(Line* line);
    void settle(Line* line, Line* player); // a line put into the player's block
    BlockChange mergeInto(Line* player, const TeamOffer& offer);
    void moveSignedBlocks(const std::string& namedKey, std::vector<std::string>& moved);
    Line* firstSigned(Line* player) const;
    void noteSigned(Line* player);

    // The lines and the indexes take their memory from one pool, given back
    // at once with the list: what a pass takes out is not given back before.
    std::pmr::monotonic_buffer_resource memory_;
    // Every line ever made; removed ones are only taken out of the list, and a
    // player line's text never changes, so name keys can point into it.
    std::pmr::deque<Line> pool_{&memory_};
    std::deque<std::string> written_; // the texts of lines the passes wrote
    LabelledList list_;
    std::pmr::unordered_map<std::uint32_t, Lines> offers_{&memory_}; // earlier-offer lines by tagOf
    Lines signed_{&memory_};                                          // signed lines
    std::pmr::unordered_map<std::string_view, Line*> players_{&memory_}; // a player line of each name key
    std::pmr::unordered_set<Line*> signedBlocks_{&memory_}; // player lines whose block holds a signed line
    int pass_ = 0;
};

} // namespace bidmark
