#include "commissioner/mergelist.h"

#include <algorithm>

#include "core/falist.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

// What the merge sees in a line. An earlier offer is a line some team's later
// offer can take the place of: a tag of two or three characters, found by the
// line's first four characters.
MergeList::Line::Kind MergeList::kindOf(std::string_view line)
{
    if (isPlayerLine(line))
        return Line::Player;
    if (isEmptyLine(line))
        return Line::Empty;
    if (isSignedLine(line))
        return Line::Signed;
    static const LinePattern twoCharacters("<?" "?>*");
    static const LinePattern threeCharacters("<??" "?>*");
    if (twoCharacters.matches(line) || threeCharacters.matches(line))
        return Line::EarlierOffer;
    return Line::Other;
}

std::optional<std::uint32_t> MergeList::tagOf(std::string_view text)
{
    if (text.size() < 4)
        return std::nullopt;
    std::uint32_t tag = 0;
    for (std::size_t i = 0; i < 4; ++i)
        tag = tag << 8 | static_cast<unsigned char>(text[i]);
    return tag;
}

TeamOffer teamOffer(std::string_view teamOfferLine)
{
    return {nameKey(teamOfferLine), offerText(teamOfferLine), tagStart(teamOfferLine),
            isRetraction(teamOfferLine)};
}

MergeList::MergeList(std::string_view bytes)
{
    std::vector<LabelledNode*> nodes;
    forEachLine(bytes, [&](std::size_t, std::string_view text) { nodes.push_back(make(text)); });
    players_.reserve(nodes.size() / 2);
    list_.assign(nodes);

    Line* boundary = nullptr; // the boundary line above
    for (LabelledNode* node : nodes) {
        Line* line = static_cast<Line*>(node);
        index(line);
        if (line->isBoundary()) {
            line->above = boundary;
            if (boundary)
                boundary->below = line;
            boundary = line;
        } else if (line->kind == Line::Signed && boundary && boundary->kind == Line::Player) {
            signedBlocks_.insert(boundary);
        }
    }
}

MergeList::Line* MergeList::make(std::string_view text)
{
    Line& line = pool_.emplace_back();
    line.text = text;
    line.kind = kindOf(line.text);
    return &line;
}

std::string_view MergeList::written(const std::string& text) { return written_.emplace_back(text); }

void MergeList::index(Line* line)
{
    switch (line->kind) {
    case Line::Player: {
        auto [first, isFirst] = players_.try_emplace(leftPart(line->text, 20), line);
        if (!isFirst) {
            line->nextOfKey = first->second;
            first->second->previousOfKey = line;
            first->second = line;
        }
        break;
    }
    case Line::Signed:
        signed_.insert(signed_.end(), line);
        break;
    case Line::EarlierOffer: {
        Lines& tagged = offers_.try_emplace(*tagOf(line->text)).first->second;
        tagged.insert(tagged.end(), line);
        break;
    }
    default:
        break;
    }
}

void MergeList::unindex(Line* line)
{
    switch (line->kind) {
    case Line::Player:
        if (line->previousOfKey)
            line->previousOfKey->nextOfKey = line->nextOfKey;
        else if (line->nextOfKey)
            players_.find(leftPart(line->text, 20))->second = line->nextOfKey;
        else
            players_.erase(leftPart(line->text, 20));
        if (line->nextOfKey)
            line->nextOfKey->previousOfKey = line->previousOfKey;
        signedBlocks_.erase(line);
        break;
    case Line::Signed:
        signed_.erase(line);
        break;
    case Line::EarlierOffer:
        offers_[*tagOf(line->text)].erase(line);
        break;
    default:
        break;
    }
}

// A new or rewritten line in the player's block. A player line among them
// starts a block of its own there, which this pass leaves alone.
void MergeList::settle(Line* line, Line* player)
{
    line->kind = kindOf(line->text);
    index(line);
    if (line->isBoundary()) {
        line->above = player;
        line->below = player->below;
        if (line->below)
            line->below->above = line;
        player->below = line;
        line->addedInPass = pass_;
        noteSigned(line);
    }
    noteSigned(player);
}

BlockChange MergeList::mergeInto(Line* player, const TeamOffer& offer)
{
    Line* end = player->below;
    Line* earlier = nullptr;
    const std::optional<std::uint32_t> tag = tagOf(offer.tagStart);
    if (auto tagged = tag ? offers_.find(*tag) : offers_.end(); tagged != offers_.end()) {
        auto first = tagged->second.upper_bound(player);
        if (first != tagged->second.end() && (!end || (*first)->label < end->label))
            earlier = *first;
    }
    if (!earlier) {
        if (offer.retraction)
            return {BlockChange::NothingToRetract, {}};
        Line* line = make(written(offer.text));
        list_.insertBefore(end ? end : list_.end(), line);
        settle(line, player);
        return {BlockChange::Added, {}};
    }
    BlockChange change{offer.retraction ? BlockChange::Retracted : BlockChange::Replaced, std::string(earlier->text)};
    unindex(earlier);
    if (offer.retraction) {
        list_.detach(earlier);
    } else {
        earlier->text = written(offer.text);
        settle(earlier, player);
    }
    return change;
}

MergeList::Line* MergeList::firstSigned(Line* player) const
{
    auto first = signed_.upper_bound(player);
    if (first == signed_.end() || (player->below && player->below->label < (*first)->label))
        return nullptr;
    return *first;
}

void MergeList::noteSigned(Line* player)
{
    if (firstSigned(player))
        signedBlocks_.insert(player);
    else
        signedBlocks_.erase(player);
}

// The signed blocks as the pass found them: not the named player's, nor the
// blocks this pass added. In list order, so that moved players reach
// signed.txt in the order a walk over the list meets them. The lines below a
// moved signed line join the block above.
void MergeList::moveSignedBlocks(const std::string& namedKey, std::vector<std::string>& moved)
{
    std::vector<Line*> blocks;
    for (Line* player : signedBlocks_) {
        if (player->addedInPass != pass_ && leftPart(player->text, 20) != namedKey)
            blocks.push_back(player);
    }
    std::sort(blocks.begin(), blocks.end(), ByPlace());
    for (Line* player : blocks) {
        Line* signedLine = firstSigned(player);
        moved.emplace_back(player->text);
        moved.emplace_back(signedLine->text);
        Line* above = player->above;
        Line* below = player->below;
        for (Line* line = player;;) {
            Line* next = static_cast<Line*>(line->next);
            unindex(line);
            list_.detach(line);
            if (line == signedLine)
                break;
            line = next;
        }
        if (above)
            above->below = below;
        if (below)
            below->above = above;
        if (above && above->kind == Line::Player)
            noteSigned(above);
    }
}

std::vector<BlockChange> MergeList::apply(const TeamOffer& offer, bool moveSigned, std::vector<std::string>& moved)
{
    ++pass_;
    std::vector<BlockChange> changes;
    if (auto named = players_.find(offer.key); named != players_.end()) {
        std::vector<Line*> blocks; // not the blocks the pass adds
        for (Line* player = named->second; player; player = player->nextOfKey)
            blocks.push_back(player);
        std::sort(blocks.begin(), blocks.end(), ByPlace());
        for (Line* player : blocks)
            changes.push_back(mergeInto(player, offer));
    }
    if (moveSigned)
        moveSignedBlocks(offer.key, moved);
    return changes;
}

std::vector<std::string_view> MergeList::playersNamed(const std::string& key) const
{
    std::vector<std::string_view> lines;
    if (auto named = players_.find(key); named != players_.end()) {
        for (const Line* player = named->second; player; player = player->nextOfKey)
            lines.push_back(player->text);
    }
    return lines;
}

std::string MergeList::bytes()
{
    std::size_t size = 0;
    for (LabelledNode* node = list_.first(); node != list_.end(); node = node->next)
        size += static_cast<Line*>(node)->text.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (LabelledNode* node = list_.first(); node != list_.end(); node = node->next)
        bytes.append(static_cast<Line*>(node)->text).append("\r\n");
    return bytes;
}

} // namespace bidmark
