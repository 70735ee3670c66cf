#pragma once
#include <optional>
#include <string>
#include <string_view>

// The league's contract rules, as the Contract dialog and the merge check
// them, and the team offer lines the dialog makes.
namespace bidmark {

inline constexpr std::string_view kMoneyMask = "0.0##";

struct TermsCheck {
    std::string salary;             // with its first comma made a decimal point
    std::string bonus;              // the same
    std::optional<std::string> problem; // the first rule broken, or nothing
};

// The five checks in their order: "Invalid Salary", "Invalid Years",
// "Invalid Bonus", "Invalid Contract for rookie", "Bonus Exceeds Total
// Contract". Throws Failure when a number is too large to compute with.
TermsCheck checkTerms(std::string_view salary, std::string_view years, std::string_view bonus,
                      std::string_view playerLine);

// The rule an offer line (the text after the name key: a team tag, a blank,
// salary "/" years, " +" bonus, a blank and the comments) breaks for the
// player of `playerLine`, checked as checkTerms checks the dialog's boxes;
// nothing when it keeps them. A "+" word that is not a number is taken as the
// comment's start. Numbers too large to compute with break the rules too.
std::optional<std::string> offerRuleBroken(std::string_view offerLine, std::string_view playerLine);

// Name key, "<team> ", salary "/" years as typed, " +" bonus when there is one,
// a blank and the comments. Salary and bonus as checkTerms gave them back.
std::string makeOffer(std::string_view playerLine, std::string_view team, std::string_view salary,
                      std::string_view years, std::string_view bonus, std::string_view comments);

// Name key, "<team> " and "<RETRACT>".
std::string makeRetraction(std::string_view playerLine, std::string_view team);

} // namespace bidmark
