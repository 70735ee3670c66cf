#include "marketvalue/pages.h"

#include <algorithm>
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
std::string vitalsName(std::string_view row) { return std::string(mid(row, 5, 20)); }
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
    for (const std::string& line : lines) {
        if (isRosterRow(line))
            roster.push_back({rosterName(line), numberValue(rightPart(line, 3))});
    }
    return roster;
}

void joinVitalsRows(const std::vector<std::string>& lines, const std::string& fileName,
                    RosterTable& roster)
{
    // The first roster entry of each name is the one a vitals row reaches.
    std::unordered_map<std::string, RosterEntry*> firstOfName;
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
