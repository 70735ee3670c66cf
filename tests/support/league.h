#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace bidmark::test {

// The eleven-line free-agent list that the tests share: a heading line;
// Arvo Lindqvist (UFA left wing, 24) with offers of TOR and NY; Pekka Roine
// (RFA goalie, 22) with an offer of DAL; Jonas Brandt (UFA defenceman, 31),
// signed to TOR; each block closed by an empty line.
std::vector<std::string> elevenLines();
// The lines as the player list holds them: views, good while the lines are.
std::vector<std::string_view> views(const std::vector<std::string>& lines);
// The name keys of its first two players, as offer lines begin.
inline const std::string kArvo = "Arvo Lindqvist      ";
inline const std::string kPekka = "Pekka Roine         ";

// A player line with its columns filled: name padded to 22, age, status,
// salary in dollars right-aligned to 10, position right-aligned to 4, " " and
// the overall.
std::string playerLine(const std::string& name, int age, const std::string& status,
                       long long salary, const std::string& position, int overall);

} // namespace bidmark::test
