#pragma once
#include <array>
#include <map>
#include <string_view>
#include <tuple>
#include <vector>

#include "marketvalue/pages.h"

// A free agent's bracket: the rostered players of his position group within
// four points of overall and two years of age (strict bounds of five and
// three), and the market value drawn from their salaries.
namespace bidmark {

struct BracketStats {
    int count = 0;
    double sum = 0;
    double low = 0;
    double high = 0;
    int sameCount = 0;   // entries of exactly the free agent's overall
    double sameSum = 0;
    double sameAverage = 0;
    double average = 0;  // raised to the same average when that is higher
};

bool inBracket(const FreeAgent& agent, const RosterEntry& entry);

// The brackets of one run. The roster is ordered by group and overall, so a
// bracket is found by two binary searches rather than a pass over the whole
// roster; and free agents of the same group, overall and age share one
// bracket, which is worked out once.
class BracketFinder {
public:
    explicit BracketFinder(RosterTable roster);

    // Visits the bracket in roster order. Low and high take the first salary
    // and then move outward, but a salary of 0 lets the next salary become low.
    const BracketStats& statsFor(const FreeAgent& agent);

private:
    std::vector<std::size_t> bracket(const FreeAgent& agent) const; // roster order
    BracketStats summary(const FreeAgent& agent) const;

    struct Ranked {
        double overall;
        std::size_t entry; // index in the roster table
    };
    RosterTable roster_;
    std::array<std::vector<Ranked>, 3> byGroup_; // F, D, G, each by overall
    std::map<std::tuple<char, double, double>, BracketStats> known_; // by group, overall, age
};

// The inflation factor: the rate text's number value in percent, plus one.
// Text that is no number gives 1; a rate too large for a number is a Failure.
double inflationFactor(std::string_view rateText);

// The bracket average when the last salary lies below A x (100 - f) / 100
// (the factor, not the rate, is subtracted), else the last salary times f;
// 1.5 at most for a player of 22 or younger. A threshold or value too large
// for a number is a Failure naming the player.
double marketValue(const FreeAgent& agent, const BracketStats& stats, double factor);

} // namespace bidmark
