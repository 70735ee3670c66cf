#pragma once
#include <string>
#include <string_view>

// The free-agent list fa.txt: recognisers and field readers of its lines.
// A player line: name in columns 1-22, age 24-25, status 29-31, last salary
// in dollars 33-42, position right-aligned to column 46, overall in the last
// three characters.
namespace bidmark {

bool isPlayerLine(std::string_view line);        // merge form, 42 characters or more
bool isListedPlayerLine(std::string_view line);  // stricter: a blank in column 43 too
bool isEmptyLine(std::string_view line);
bool isSignedLine(std::string_view line);        // "<SIGNED>*"
bool isHeadingLine(std::string_view line);       // "Player*"

// The seven filters, in the order of the Players Available window's boxes.
enum class Filter { Centers, LeftWingers, RightWingers, Defense, Goalies, RFA, UFA };
constexpr int kFilterCount = 7;
bool matchesFilter(std::string_view line, Filter filter);

std::string nameKey(std::string_view line);      // first 20 characters (all of a shorter line)
double playerAge(std::string_view line);         // number value of columns 24-25
double lastSalary(std::string_view line);        // money conversion of columns 33-42, dollars; throws Failure
char positionLetter(std::string_view line);      // column 46
double overallRating(std::string_view line);     // number value of the last three characters

} // namespace bidmark
