#pragma once
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "marketvalue/numbertable.h"
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

// The roster entries of one bracket, as indices into the roster table in
// roster order, and what their salaries sum up to.
struct Bracket {
    std::vector<std::size_t> entries;
    BracketStats stats;
};

// The brackets of one run. Free agents of the same group, overall and age
// share one bracket, and those of the same group and overall the entries
// within reach of that overall: each is worked out once, in roster order, so
// a bracket is a pass over its group's entries of about its overall, and no
// sort.
class BracketFinder {
public:
    explicit BracketFinder(const RosterTable& roster);

    // The index in brackets() of the free agent's bracket. Its statistics
    // visit the entries in roster order: low and high take the first salary
    // and then move outward, but a salary of 0 lets the next salary become low.
    std::size_t bracketOf(const FreeAgent& agent);
    const std::vector<Bracket>& brackets() const { return brackets_; }
    std::vector<Bracket> takeBrackets() { return std::move(brackets_); }

private:
    struct Ranked {
        double overall;
        double age;
        double salary;
        std::size_t entry; // index in the roster table
    };
    Bracket bracket(const FreeAgent& agent);
    const std::vector<Ranked>& nearOverall(std::size_t slot, double overall);

    std::array<std::vector<Ranked>, 3> byGroup_; // F, D, G, each in roster order
    std::vector<std::vector<Ranked>> nearOverall_;
    NumberTable<2, std::size_t> nearOverallOf_;  // by group slot and overall, into nearOverall_
    std::vector<Ranked> scratch_;                // the group's entries near one overall, reused
    std::vector<const Ranked*> found_;           // a bracket's candidates, reused
    std::vector<Bracket> brackets_;
    NumberTable<3, std::size_t> known_; // by group, overall and age, into brackets_
};

// Which rule gave a market value.
enum class ValueRule {
    BracketAverage,        // the last salary lies below the threshold
    LastSalaryTimesFactor, // it does not
    RookieCap,             // either rule gave more than a player of 22 or younger may get
};

struct Valuation {
    double value = 0;
    ValueRule rule = ValueRule::BracketAverage;
};

// The inflation factor: the rate text's number value in percent, plus one.
// Text that is no number gives 1; a rate too large for a number is a Failure.
double inflationFactor(std::string_view rateText);

// The threshold the last salary is held against: A x (100 - f) / 100 (the
// factor, not the rate, is subtracted).
double valueThreshold(const BracketStats& stats, double factor);

// The bracket average when the last salary lies below the threshold, else
// the last salary times f; 1.5 at most for a player of 22 or younger. A
// threshold or value too large for a number is a Failure naming the player.
Valuation marketValue(const FreeAgent& agent, const BracketStats& stats, double factor);

} // namespace bidmark
