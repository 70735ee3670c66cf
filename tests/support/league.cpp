#include "tests/support/league.h"

#include <cstdio>

namespace bidmark::test {

std::string playerLine(const std::string& name, int age, const std::string& status,
                       long long salary, const std::string& position, int overall)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%-22.22s %02d   %-3.3s %10lld%4s %d", name.c_str(), age,
                  status.c_str(), salary, position.c_str(), overall);
    return buffer;
}

std::vector<std::string_view> views(const std::vector<std::string>& lines)
{
    return {lines.begin(), lines.end()};
}

std::vector<std::string> elevenLines()
{
    return {
        "Players on the market",
        playerLine("Arvo Lindqvist", 24, "UFA", 850000, "LW", 71),
        "<TOR> 1.5/3 +0.25 top line role",
        "<NY> 1.0/1 ",
        "",
        playerLine("Pekka Roine", 22, "RFA", 1200000, "G", 80),
        "<DAL> 0.75/2 backup to start",
        "",
        playerLine("Jonas Brandt", 31, "UFA", 2500000, "D", 76),
        "<SIGNED> <TOR> 2.5/4 +1.0 ",
        "",
    };
}

} // namespace bidmark::test
