#include "editor/contract.h"

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
