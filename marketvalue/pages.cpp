#include "marketvalue/pages.h"

#include <algorithm>
#include <utility>
#include <unordered_map>

#include "core/falist.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/wildcard.h"

namespace bidmark {

namespace {
constexpr std::size_t kMarkerLines = 11;
constexpr double kDollarsPerMillion = 1000000.0;

std::string rosterName(std::string_view row) { return std::string(mid(row, 4, 20)); }
std::string_view vitalsName(std::string_view row) { return mid(row, 5, 20); }

// The text of a heading line of the roster page: the line without its markup
// tags and the blanks around; empty for a line without markup and for the
// page's title, which names the page rather than a team.
std::string headingText(std::string_view line)
{
    if (line.find('<') == std::string_view::npos || line.find(kRosterMarker) != std::string_view::npos)
        return {};
    std::string text;
    bool inTag = false;
    for (const char c : line) {
        if (c == '<' || c == '>')
            inTag = c == '<';
        else if (!inTag)
            text += c;
    }
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
} // namespace

char positionGroup(char letter)
{
    return letter == 'D' || letter == 'G' ? letter : 'F';
}

bool hasPageMarker(const std::vector<std::string>& lines, std::string_view marker)
{
    const auto end = lines.begin() + static_cast<std::ptrdiff_t>(std::min(lines.size(), kMarkerLines));
    return std::any_of(lines.begin(), end, [marker](const std::string& line) {
        return line.find(marker) != std::string::npos;
    });
}

bool isRosterRow(std::string_view line)
{
    return wildcardMatch(line, "##??????????????????????? ?? ? ???????##*");
}

bool isVitalsRow(std::string_view line)
{
    return wildcardMatch(line, "#??????????????????????????? ??    ##*");
}

RosterTable readRosterRows(const std::vector<std::string>& lines)
{
    RosterTable roster;
    std::string team;
    for (const std::string& line : lines) {
        if (isRosterRow(line)) {
            RosterEntry& entry = roster.emplace_back();
            entry.name = rosterName(line);
            entry.overall = numberValue(rightPart(line, 3));
            entry.team = team;
        } else if (std::string heading = headingText(line); !heading.empty()) {
            team = std::move(heading);
        }
    }
    return roster;
}

void joinVitalsRows(const std::vector<std::string>& lines, const std::string& fileName,
                    RosterTable& roster)
{
    // The first roster entry of each name is the one a vitals row reaches.
    std::unordered_map<std::string_view, RosterEntry*> firstOfName;
    for (RosterEntry& entry : roster)
        firstOfName.emplace(entry.name, &entry);

    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        if (!isVitalsRow(line))
            continue;
        const std::string what = "the salary in columns 57-66 of line " + std::to_string(index + 1) +
                                 " of " + fileName;
        const double salary = moneyValue(mid(line, 57, 10), what) / kDollarsPerMillion;
        const auto found = firstOfName.find(vitalsName(line));
        if (found == firstOfName.end())
            continue;
        RosterEntry& entry = *found->second;
        entry.group = positionGroup(line[30]);
        entry.age = numberValue(mid(line, 36, 2));
        entry.salary = salary;
    }
}

FreeAgent readFreeAgent(std::string_view playerLine)
{
    return {nameKey(playerLine), playerAge(playerLine), lastSalary(playerLine) / kDollarsPerMillion,
            positionGroup(positionLetter(playerLine)), overallRating(playerLine)};
}

} // namespace bidmark
