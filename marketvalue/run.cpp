#include "marketvalue/run.h"

#include <array>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <utility>

#include "core/failure.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/text.h"
#include "marketvalue/bracket.h"
#include "marketvalue/marketvalfile.h"
#include "marketvalue/pages.h"

namespace bidmark {

namespace {
// The same file whatever the case or spelling of its path.
std::string fileIdentity(const std::string& folder, const std::string& name)
{
    return lowerCase(std::filesystem::absolute(pathIn(folder, name)).lexically_normal().string());
}

// Writing market values over the free-agent list or another league file
// would destroy it, and so would writing over the run's own pages.
bool isProtectedOutput(const std::string& folder, const std::string& outputName,
                       const std::string& rosterName, const std::string& vitalsName)
{
    const std::string output = fileIdentity(folder, outputName);
    for (std::string_view own : kOwnFiles) {
        if (own != kMarketValueFile && output == fileIdentity(folder, std::string(own)))
            return true;
    }
    return output == fileIdentity(folder, rosterName) || output == fileIdentity(folder, vitalsName);
}

std::string secondsText(std::chrono::steady_clock::duration elapsed)
{
    const float seconds = std::chrono::duration<float>(elapsed).count();
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), seconds,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

FreeAgent freeAgentOfLine(const std::string& line, std::size_t lineNumber)
{
    try {
        return readFreeAgent(line);
    } catch (const Failure& failure) {
        throw Failure(std::string(failure.what()) + " in line " + std::to_string(lineNumber) +
                      " of " + std::string(kFreeAgentFile));
    }
}

// The whole output, built in memory so that a failure leaves the old file.
std::string marketValueText(const std::vector<std::string>& freeAgentLines,
                            RosterTable roster, double factor)
{
    BracketFinder brackets(std::move(roster));
    MarketValueText text;
    for (std::size_t index = 0; index < freeAgentLines.size(); ++index) {
        if (!isPlayerLine(freeAgentLines[index]))
            continue;
        const FreeAgent agent = freeAgentOfLine(freeAgentLines[index], index + 1);
        const BracketStats& stats = brackets.statsFor(agent);
        text.addLine(agent, stats, marketValue(agent, stats, factor));
    }
    return text.text();
}
} // namespace

std::string runMarketValue(const std::string& folder, const std::string& rosterName,
                           const std::string& vitalsName, const std::string& outputName,
                           const std::string& rateText)
{
    if (rosterName.empty())
        return "Roster File not specified";
    if (vitalsName.empty())
        return "Vital File not specified";
    const double factor = inflationFactor(rateText);

    const std::vector<std::string> rosterPage = readLines(pathIn(folder, rosterName));
    if (!hasPageMarker(rosterPage, kRosterMarker))
        return "Roster file does not appear to be a valid FHL roster file";
    const std::vector<std::string> vitalsPage = readLines(pathIn(folder, vitalsName));
    if (!hasPageMarker(vitalsPage, kVitalsMarker))
        return "Vitals file does not appear to be a valid FHL vitals file";
    // The output file is checked only once both pages have passed theirs.
    if (outputName.empty())
        throw Failure("Output file not specified");
    if (isProtectedOutput(folder, outputName, rosterName, vitalsName))
        return "The output file " + outputName +
               " would overwrite a league file or a page of this run; choose another name";

    const auto start = std::chrono::steady_clock::now();
    RosterTable roster = readRosterRows(rosterPage);
    joinVitalsRows(vitalsPage, vitalsName, roster);
    const std::vector<std::string> freeAgentLines = readLines(pathIn(folder, kFreeAgentFile));
    writeFileAtomic(pathIn(folder, outputName), marketValueText(freeAgentLines, std::move(roster), factor));
    return "DONE " + secondsText(std::chrono::steady_clock::now() - start) + "seconds";
}

} // namespace bidmark
