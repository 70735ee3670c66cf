#include "editor/playerdetails.h"

#include <optional>
#include <vector>

#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/market.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {

// A player's line on the team scoring page: position letter, blank, a digit,
// any character, blank, the name field in columns 6-27, blank, team, blank,
// games played ending in a digit in column 35.
bool isPagePlayerLine(std::string_view line)
{
    return wildcardMatch(line, "? #? ?????????????????????? ??? ??#*");
}

// A further line of the player above, with the name columns left blank.
bool isContinuationLine(std::string_view line)
{
    return wildcardMatch(line, "                            ??? ??#*");
}

bool isSkaterLineOf(std::string_view line, std::string_view nameKey)
{
    return isPagePlayerLine(line) && mid(line, 7, 20) == nameKey && line.front() != 'G';
}

} // namespace

std::string statisticsLine(const Path& folder, std::string_view nameKey)
{
    const std::string page = findFile(folder, "*TeamScoring.htm*");
    if (page.empty())
        return {};
    const std::vector<std::string> lines = readLines(pathIn(folder, page));
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (!isSkaterLineOf(lines[row], nameKey))
            continue;
        while (row + 1 < lines.size() && isContinuationLine(lines[row + 1]))
            ++row;
        return lines[row];
    }
    return {};
}

std::string marketValueLine(const Path& folder, std::string_view nameKey)
{
    const std::string file = findFile(folder, kMarketValueFile);
    if (file.empty())
        return {};
    for (const std::string& line : readLines(pathIn(folder, file))) {
        if (isMarketValueLine(line) && leftPart(line, 20) == nameKey)
            return line;
    }
    return {};
}

PlayerDetails playerDetails(const Path& folder, std::string_view selectedLine,
                            bool showStats, bool signingMode)
{
    if (!showStats || !isPlayerLine(selectedLine))
        return {};
    const std::string key = nameKey(selectedLine);
    return {statisticsLine(folder, key), signingMode ? marketValueLine(folder, key) : std::string()};
}

std::string bestOfferText(const Path& folder, const std::vector<std::string_view>& lines, std::size_t row)
{
    if (row >= lines.size() || !isPlayerLine(lines[row]))
        return {};
    // His line and the lines under it up to the next player's, as offersUnder reads them.
    std::vector<std::string> under{std::string(lines[row])};
    for (std::size_t below = row + 1; below < lines.size() && !isPlayerLine(lines[below]); ++below)
        under.emplace_back(lines[below]);
    const std::string marketValueLine = bidmark::marketValueLine(folder, nameKey(lines[row]));
    std::optional<double> value;
    if (!marketValueLine.empty())
        value = entryMarketValue(marketValueLine);
    const std::string start = value ? "Market value " + formatNumber(*value, "0.0#") + ". "
                                    : std::string("No market value in marketVal.txt. ");
    return start + offersAgainstValue(offersUnder(under, 0), value);
}

} // namespace bidmark
