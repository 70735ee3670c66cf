#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Made-up rows of the simulator's roster and vitals pages, laid out by their
// columns, and whole pages around them.
namespace bidmark::test {

// Name in columns 4-23, digits in 39-40, then a blank and the overall.
inline std::string rosterRow(const std::string& name, int overall)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "12 %-20.20sTO LW A        80 %d", name.c_str(), overall);
    return buffer;
}

// Name in columns 5-24, position code in 30-31, age in 36-37, salary in
// dollars right-aligned in 57-66.
inline std::string vitalsRow(const std::string& name, const std::string& position, int age,
                             long long salary)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "7   %-20.20sTOR  %2.2s    %02d  6'1\" 190 lbs Ont %10lld</td>",
                  name.c_str(), position.c_str(), age, salary);
    return buffer;
}

inline std::vector<std::string> page(const std::string& marker, const std::vector<std::string>& rows)
{
    std::vector<std::string> lines{"<html><head><title>VELD " + marker + "</title></head>", "<pre>"};
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.push_back("</pre></html>");
    return lines;
}

} // namespace bidmark::test
