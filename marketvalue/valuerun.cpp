#include "marketvalue/valuerun.h"

#include <array>
#include <charconv>
#include <chrono>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/failure.h"
#include "core/falist.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/market.h"
#include "core/text.h"
#include "marketvalue/bracket.h"
#include "marketvalue/marketvalfile.h"
#include "marketvalue/pages.h"

namespace bidmark {

namespace {
// The same file whatever the case or spelling of its path.
std::string fileIdentity(const Path& folder, const std::string& name)
{
    return lowerCase(platform::absolutePath(pathIn(folder, name)).bytes());
}

// Writing market values over the free-agent list or another league file
// would destroy it, and so would writing over the run's own pages or into
// the run journal's history/ folder.
bool isProtectedOutput(const Path& folder, const std::string& outputName,
                       const std::string& rosterName, const std::string& vitalsName)
{
    const std::string output = fileIdentity(folder, outputName);
    const std::string history = fileIdentity(folder, std::string(kHistoryFolder));
    if (output.rfind(history + "/", 0) == 0 || output.rfind(history + "\\", 0) == 0)
        return true;
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

FreeAgent freeAgentOfLine(std::string_view line, std::size_t lineNumber)
{
    try {
        return readFreeAgent(line);
    } catch (const Failure& failure) {
        throw Failure(std::string(failure.what()) + " in line " + std::to_string(lineNumber) +
                      " of " + std::string(kFreeAgentFile));
    }
}

// A row for each free agent of fa.txt's bytes, with the lines under his
// player line as views into them.
std::vector<ValueRow> listedRows(std::string_view freeAgentList)
{
    std::vector<ValueRow> rows;
    forEachLine(freeAgentList, [&rows](std::size_t number, std::string_view line) {
        if (isPlayerLine(line)) {
            rows.emplace_back().agent = freeAgentOfLine(line, number);
        } else if (!rows.empty()) {
            std::string_view& under = rows.back().offerLines;
            const char* start = under.data() ? under.data() : line.data();
            under = std::string_view(start, static_cast<std::size_t>(line.data() + line.size() - start));
        }
    });
    return rows;
}

// The whole output, built in memory so that a failure leaves the old file.
std::string marketValueText(const MarketValues& values)
{
    MarketValueText text(values.rows.size());
    for (const ValueRow& row : values.rows)
        text.addLine(row.agent, values.bracketOf(row).stats, row.valuation.value, row.bracket);
    return std::move(text).text();
}
} // namespace

MarketValueRun runMarketValue(const Path& folder, const std::string& rosterName,
                              const std::string& vitalsName, const std::string& outputName,
                              const std::string& rateText)
{
    if (rosterName.empty())
        return {"Roster File not specified", nullptr};
    if (vitalsName.empty())
        return {"Vital File not specified", nullptr};
    const double factor = inflationFactor(rateText);

    const std::vector<std::string> rosterPage = readLines(pathIn(folder, rosterName));
    if (!hasPageMarker(rosterPage, kRosterMarker))
        return {"Roster file does not appear to be a valid FHL roster file", nullptr};
    const std::vector<std::string> vitalsPage = readLines(pathIn(folder, vitalsName));
    if (!hasPageMarker(vitalsPage, kVitalsMarker))
        return {"Vitals file does not appear to be a valid FHL vitals file", nullptr};
    // The output file is checked only once both pages have passed theirs.
    if (outputName.empty())
        throw Failure("Output file not specified");
    if (isProtectedOutput(folder, outputName, rosterName, vitalsName))
        return {"The output file " + outputName +
                    " would overwrite a league file or a page of this run; choose another name",
                nullptr};

    const auto start = std::chrono::steady_clock::now();
    RosterTable roster = readRosterRows(rosterPage);
    joinVitalsRows(vitalsPage, vitalsName, roster);
    auto freeAgentList = std::make_shared<const std::string>(readFile(pathIn(folder, kFreeAgentFile)));
    MarketValues valued = valueFreeAgents(std::move(roster), listedRows(*freeAgentList), factor);
    valued.freeAgentList = std::move(freeAgentList);
    auto values = std::make_shared<const MarketValues>(std::move(valued));
    writeFileAtomic(pathIn(folder, outputName), marketValueText(*values));
    return {"DONE " + secondsText(std::chrono::steady_clock::now() - start) + "seconds", std::move(values)};
}

MarketValueRun calculateMarketValue(const Path& folder, const std::string& rosterName,
                                    const std::string& vitalsName, const std::string& outputName,
                                    const std::string& rateText, Recovered& recovered)
{
    MarketValueRun run;
    runInLeague(folder, kMarketValueRunName, [&] { return std::vector<std::string>{outputName}; },
                [&](const Path&) { run = runMarketValue(folder, rosterName, vitalsName, outputName, rateText); },
                recovered);
    return run;
}

} // namespace bidmark
