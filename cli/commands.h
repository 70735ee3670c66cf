#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// bidmark-cli: the commissioner's runs on a league folder, from a terminal or
// a script. The program's words are its arguments; what a command shows goes
// to `out`, messages to `err`. The exit status: 0 done, 1 the run refused or
// failed, 2 the command was not understood.
namespace bidmark::cli {

inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace bidmark::cli
