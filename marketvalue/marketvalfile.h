#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "marketvalue/bracket.h"

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
    void addLine(const FreeAgent& agent, const BracketStats& stats, double value);
    const std::string& text() const { return text_; }

private:
    void put(std::size_t column, const std::string& item);
    // Number texts are worked out once per value: a league repeats its
    // ages, ratings and salaries thousands of times.
    const std::string& money(double value);
    const std::string& signedNumber(double value);

    std::string text_;
    std::size_t lineStart_ = 0;
    std::unordered_map<double, std::string> moneyTexts_;
    std::unordered_map<double, std::string> signedTexts_;
};

} // namespace bidmark
