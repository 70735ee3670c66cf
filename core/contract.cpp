#include "core/contract.h"

#include <algorithm>
#include <cmath>

#include "core/failure.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/numbers.h"

namespace bidmark {

namespace {

// The decimal comma: only the first "," becomes a point.
std::string firstCommaAsPoint(std::string_view text)
{
    std::string out(text);
    if (std::size_t comma = out.find(','); comma != std::string::npos)
        out[comma] = '.';
    return out;
}

std::optional<std::string> brokenRule(std::string_view salaryText, std::string_view years,
                                      std::string_view bonusText, std::string_view playerLine)
{
    if (!isNumeric(salaryText))
        return "Invalid Salary";
    if (!isNumeric(years))
        return "Invalid Years";
    if (!bonusText.empty() && !isNumeric(bonusText))
        return "Invalid Bonus";

    const double salary = numberValue(salaryText);
    const double bonus = numberValue(bonusText); // an empty bonus counts as 0
    if (!std::isfinite(salary) || !std::isfinite(bonus))
        throw Failure("Overflow: the salary or bonus of the contract is too large");

    if (playerAge(playerLine) <= kRookieAgeLimit) {
        if (salary > kRookieSalaryCap || bonus > kRookieBonusCap)
            return "Invalid Contract for rookie";
        return std::nullopt; // a rookie's bonus may exceed his total contract
    }
    const double total = numberValue(years) * salary;
    if (!std::isfinite(total))
        throw Failure("Overflow: the total contract (years times salary) is too large");
    if (bonus > total)
        return "Bonus Exceeds Total Contract";
    return std::nullopt;
}

std::string teamTag(std::string_view team)
{
    return "<" + std::string(team) + ">";
}

} // namespace

TermsCheck checkTerms(std::string_view salary, std::string_view years, std::string_view bonus,
                      std::string_view playerLine)
{
    TermsCheck check{firstCommaAsPoint(salary), firstCommaAsPoint(bonus), std::nullopt};
    check.problem = brokenRule(check.salary, years, check.bonus, playerLine);
    return check;
}

std::optional<std::string> offerRuleBroken(std::string_view offerLine, std::string_view playerLine)
{
    std::string_view terms = offerLine.substr(std::min(offerLine.find("> "), offerLine.size() - 1) + 1);
    terms.remove_prefix(std::min(terms.size(), std::size_t(1)));
    const auto word = [&terms](std::string_view ends) {
        const std::size_t end = std::min(terms.find_first_of(ends), terms.size());
        std::string_view taken = terms.substr(0, end);
        terms.remove_prefix(end);
        return taken;
    };
    const std::string_view salary = word("/ ");
    std::string_view years;
    if (!terms.empty() && terms.front() == '/') {
        terms.remove_prefix(1);
        years = word(" ");
    }
    std::string_view bonus;
    if (terms.substr(0, 2) == " +") {
        std::string_view rest = terms.substr(2);
        bonus = rest.substr(0, std::min(rest.find(' '), rest.size()));
        if (!isNumeric(firstCommaAsPoint(bonus)))
            bonus = {}; // a comment that starts with "+"
    }
    try {
        return checkTerms(salary, years, bonus, playerLine).problem;
    } catch (const Failure& failure) {
        return std::string(failure.what());
    }
}

std::string makeOffer(std::string_view playerLine, std::string_view team, std::string_view salary,
                      std::string_view years, std::string_view bonus, std::string_view comments)
{
    std::string line = nameKey(playerLine) + teamTag(team) + " "
                       + formatNumber(numberValue(salary), kMoneyMask) + "/" + std::string(years);
    if (!bonus.empty())
        line += " +" + formatNumber(numberValue(bonus), kMoneyMask);
    return line + " " + std::string(comments);
}

std::string makeRetraction(std::string_view playerLine, std::string_view team)
{
    return nameKey(playerLine) + teamTag(team) + " <RETRACT>";
}

} // namespace bidmark
