#include "core/market.h"

#include <algorithm>
#include <cmath>

#include "core/falist.h"
#include "core/linefile.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {
constexpr std::size_t kValueColumn = 62;

// The text up to the first blank (all of it when there is none).
std::string_view firstWord(std::string_view text) { return text.substr(0, text.find(' ')); }
} // namespace

std::optional<StandingOffer> readOffer(std::string_view line)
{
    const std::size_t close = line.find('>');
    if (line.empty() || line.front() != '<' || close == std::string_view::npos || close + 1 >= line.size() ||
        line[close + 1] != ' ' || isSignedLine(line))
        return std::nullopt;
    std::string_view rest = line.substr(close + 2);
    if (rest == "<RETRACT>") // a retraction takes an offer back; it is none
        return std::nullopt;
    StandingOffer offer;
    offer.line = std::string(line);
    offer.team = std::string(line.substr(1, close - 1));
    const std::size_t slash = rest.find('/');
    offer.salary = numberValue(rest.substr(0, slash));
    if (slash != std::string_view::npos) {
        rest = rest.substr(slash + 1);
        offer.years = std::string(firstWord(rest));
        rest.remove_prefix(offer.years.size());
        if (rest.rfind(" +", 0) == 0)
            offer.bonus = std::string(firstWord(rest.substr(2)));
    }
    return offer;
}

std::optional<StandingOffer> readSignedContract(std::string_view signedLine)
{
    constexpr std::string_view kMark = "<SIGNED> ";
    if (signedLine.rfind(kMark, 0) != 0)
        return std::nullopt;
    return readOffer(signedLine.substr(kMark.size()));
}

std::string offerSummary(const StandingOffer& offer)
{
    std::string text = offer.team + " " + formatNumber(offer.salary, "0.0##") + "/" + offer.years;
    if (!offer.bonus.empty())
        text += " +" + offer.bonus;
    return text;
}

int PlayerOffers::teams() const
{
    std::vector<std::string_view> names;
    for (const StandingOffer& offer : offers) {
        if (std::find(names.begin(), names.end(), offer.team) == names.end())
            names.push_back(offer.team);
    }
    return static_cast<int>(names.size());
}

const StandingOffer* PlayerOffers::best() const
{
    const StandingOffer* best = nullptr;
    for (const StandingOffer& offer : offers) {
        if (!best || offer.salary > best->salary)
            best = &offer;
    }
    return best;
}

namespace {
// What one line under a player line adds to his offers: an offer, or the
// contract of the block's first signed line.
void takeBlockLine(PlayerOffers& found, std::string_view line)
{
    if (isSignedLine(line)) {
        if (!found.signedContract)
            found.signedContract = readSignedContract(line);
    } else if (std::optional<StandingOffer> offer = readOffer(line)) {
        found.offers.push_back(std::move(*offer));
    }
}
} // namespace

PlayerOffers offersUnder(const std::vector<std::string>& lines, std::size_t player)
{
    PlayerOffers found;
    std::size_t end = player + 1; // the next player's line, or the end
    while (end < lines.size() && !isPlayerLine(lines[end]))
        ++end;
    found.offers.reserve(end - player - 1); // room for every line of his block: the offers are not moved
    for (std::size_t index = player + 1; index < end; ++index)
        takeBlockLine(found, lines[index]);
    return found;
}

PlayerOffers offersIn(std::string_view linesUnderPlayer)
{
    PlayerOffers found;
    forEachLine(linesUnderPlayer, [&found](std::size_t, std::string_view line) { takeBlockLine(found, line); });
    return found;
}

std::string offersAgainstValue(const PlayerOffers& offers, std::optional<double> value)
{
    const StandingOffer* offer = offers.isSigned() ? &*offers.signedContract : offers.best();
    if (!offer)
        return "No team has an offer standing for him.";
    const std::string summary = offerSummary(*offer);
    if (!value)
        return offers.isSigned() ? "He has signed " + summary + "." : "The best offer is " + summary + ".";
    const double difference = std::round((offer->salary - *value) * 100) / 100;
    const std::string against = difference == 0 ? std::string("his value")
        : formatNumber(std::abs(difference), "0.0#") + (difference > 0 ? " above" : " below") + " his value";
    return offers.isSigned() ? "He has signed " + summary + ", " + against + "."
                             : "The best offer, " + summary + ", is " + against + ".";
}

double entryMarketValue(std::string_view lastLineOfEntry)
{
    return numberValue(mid(lastLineOfEntry, kValueColumn, lastLineOfEntry.size()));
}

bool isMarketValueLine(std::string_view line) { return wildcardMatch(line, "????????????????????? ##*"); }

} // namespace bidmark
