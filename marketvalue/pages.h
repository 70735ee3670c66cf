#pragma once
#include <string>
#include <string_view>
#include <vector>

// The simulator's "Team Rosters" and "Player Vitals" pages, read as plain
// lines: a player row is any line whose fixed columns match its pattern, all
// other lines are skipped. The two pages are joined by player name into the
// roster table that free agents are compared with.
namespace bidmark {

inline constexpr std::string_view kRosterMarker = "Team Rosters";
inline constexpr std::string_view kVitalsMarker = "Player Vitals";

// One rostered player. Group, age and salary are set together by the vitals
// page, or not at all (group stays 0) and the player joins no bracket.
struct RosterEntry {
    std::string name;  // roster columns 4-23, as they stand
    double overall = 0;
    char group = 0;    // 'F', 'D' or 'G'
    double age = 0;
    double salary = 0; // millions of dollars
    std::string team;  // the team heading above the row on the roster page, if any
};
using RosterTable = std::vector<RosterEntry>;

// The fields the calculator takes from a player line of fa.txt.
struct FreeAgent {
    std::string name;  // the 20-character name key
    double age = 0;
    double lastSalary = 0; // millions of dollars
    char group = 'F';
    double overall = 0;
};

// 'D' and 'G' are their own groups; every other letter (C, W, lower case d)
// is a forward.
char positionGroup(char letter);

// True when one of the first 11 lines contains the marker, case counting.
bool hasPageMarker(const std::vector<std::string>& lines, std::string_view marker);

bool isRosterRow(std::string_view line);
bool isVitalsRow(std::string_view line);

// Every roster row in page order, with name and overall, and the team of the
// heading it stands under: the last line above it that holds markup and some
// text besides (such as "<b>TOR</b>"), other than the page's own title.
RosterTable readRosterRows(const std::vector<std::string>& lines);

// Gives every vitals row's group, age and salary to the first roster entry of
// exactly the same 20-character name; a later row of that name wins. Throws
// Failure naming `fileName` when a row's salary (columns 57-66) is no number,
// which is also the case for a row shorter than 57 characters.
void joinVitalsRows(const std::vector<std::string>& lines, const std::string& fileName,
                    RosterTable& roster);

// The free agent of a player line of fa.txt (isPlayerLine). Throws Failure
// when the last salary is no number.
FreeAgent readFreeAgent(std::string_view playerLine);

} // namespace bidmark
