#pragma once
#include <array>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "marketvalue/bracket.h"
#include "marketvalue/numbertable.h"

// marketVal.txt: eight header lines, then one player line per free agent with
// each item at a fixed column. The Players Available window finds a player's
// line by the blank in column 22 and the age digits in 23-24.
namespace bidmark {

std::vector<std::string> marketValueHeader();

// The market value of every player of the file's lines, by name key: the M.V.
// of his entry (his player line and any line an item was pushed onto).
std::unordered_map<std::string, double> readMarketValues(const std::vector<std::string>& lines);

// The file's text, built in memory: the header, then the lines added. An item
// whose column the line has already passed starts a new line at that column.
class MarketValueText {
public:
    // Room is made for this many player lines.
    explicit MarketValueText(std::size_t players = 0);
    // `bracket` numbers his bracket among the run's (its index): the items
    // from his age to the bracket's average are laid out once per number, and
    // again only for a line of that number that brings other items.
    void addLine(const FreeAgent& agent, const BracketStats& stats, double value, std::size_t bracket);
    const std::string& text() const& { return text_; }
    std::string text() && { return std::move(text_); } // the text handed over, not copied

private:
    // What a line holds from his age to his bracket's average (his age,
    // group, overall, and the bracket's count, high, low and average): the
    // same for every free agent of one bracket.
    using BracketItems = std::array<double, 7>;
    // Bracket items laid out from column 22, and where their last line
    // starts in them when an item moved to a new line.
    struct LaidOut {
        BracketItems items{};
        bool made = false;
        std::string text;
        std::size_t lastLineStart = std::string::npos;
    };

    void putBracketItems(const BracketItems& items, std::size_t bracket);
    void put(std::size_t column, const std::string& item);
    // Number texts are worked out once per value and the bracket items once
    // per bracket: a league repeats its salaries and brackets thousands of
    // times.
    const std::string& money(double value);
    const std::string& signedNumber(double value);

    std::string text_;
    std::size_t lineStart_ = 0;
    NumberTable<1, std::string> moneyTexts_;
    NumberTable<1, std::string> signedTexts_;
    std::vector<LaidOut> bracketTexts_; // by bracket number
};

} // namespace bidmark
