#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the market shows of a free agent: the offers standing under his
// player line in fa.txt, the contract he signed, and how the best offer
// compares with his market value. Read from the lines as they stand; nothing
// here changes a file.
namespace bidmark {

// One offer line: "<TOR> 2.5/4 +1.0 comment".
struct StandingOffer {
    std::string line;  // as it stands
    std::string team;  // between "<" and ">"
    double salary = 0; // millions a year; 0 when the text holds no number
    std::string years; // as typed
    std::string bonus; // the text after " +", or empty
};

// An offer line: a team tag ("<", a name, ">") and a blank, other than a
// signed line or a retraction. Nothing for any other line.
std::optional<StandingOffer> readOffer(std::string_view line);

// The contract of a signed line: the offer after "<SIGNED> ".
std::optional<StandingOffer> readSignedContract(std::string_view signedLine);

// "TOR 2.5/4 +1.0": team, salary/years and the bonus when there is one.
std::string offerSummary(const StandingOffer& offer);

struct PlayerOffers {
    std::vector<StandingOffer> offers;             // block order
    std::optional<StandingOffer> signedContract;   // the offer a "<SIGNED> " line holds

    bool isSigned() const { return signedContract.has_value(); }
    int teams() const; // the teams that have an offer standing
    // The offer with the highest yearly salary, the earlier one of a tie;
    // nothing when there is none.
    const StandingOffer* best() const;
};

// The offers of the block whose player line is lines[player]: the lines
// below it up to the next player line (merge form).
PlayerOffers offersUnder(const std::vector<std::string>& lines, std::size_t player);
// The same offers from the bytes of the lines under the player line, up to
// the next player line, as fa.txt holds them.
PlayerOffers offersIn(std::string_view linesUnderPlayer);

// One sentence on the offers against the player's market value (nothing when
// it was not computed): "The best offer, TOR 2.5/4, is 0.6 above his value.",
// "He has signed TOR 2.5/4 +1.0, his value." or "No team has an offer
// standing for him." Salary and value are compared to the hundredth.
std::string offersAgainstValue(const PlayerOffers& offers, std::optional<double> value);

// The market value of a player's entry in marketVal.txt: the M.V. item, at
// column 62 of the entry's last line (an item that did not fit its column
// moves the rest of the entry to a line of its own).
double entryMarketValue(std::string_view lastLineOfEntry);
// A player line of marketVal.txt: a blank in column 22, digits in 23-24.
bool isMarketValueLine(std::string_view line);

} // namespace bidmark
