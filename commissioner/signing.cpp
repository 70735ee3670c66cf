#include "commissioner/signing.h"

#include <set>

#include "commissioner/merge.h"
#include "commissioner/mergerun.h"
#include "core/failure.h"
#include "core/filenames.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/leaguelock.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

constexpr std::size_t kPlayersNamed = 5; // in the question; the rest are counted

// Each line under a player line of the file, keyed by the player's name key:
// the signings fa.txt holds, or signed.txt logged.
void addLinesUnderPlayers(const Path& path, std::set<std::string>& underPlayers)
{
    if (!fileExists(path))
        return;
    std::string key;
    bool inBlock = false;
    for (const std::string& line : readLines(path)) {
        if (isPlayerLine(line)) {
            key = nameKey(line);
            inBlock = true;
        } else if (inBlock) {
            underPlayers.insert(key + '\n' + line);
        }
    }
}

std::string count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::vector<std::string> signingDoneFiles(const std::string& asideName)
{
    std::vector<std::string> files = signingRunFiles();
    files.push_back(asideName);
    return files;
}

std::vector<std::string> setAsideRunFiles(const std::string& asideName)
{
    return {std::string(kCommissionerFile), asideName};
}

MergeReport mergeSignings(const Path& folder, const std::vector<std::string>& entries,
                          bool moveSignedPlayers, const std::string& asideName)
{
    MergeReport report;
    if (!entries.empty()) {
        const Path path = pathIn(folder, kCommissionerFile);
        std::string setAside;
        if (fileExists(path)) {
            setLeftoverSigningsAside(folder, asideName);
            setAside = asideName;
        }
        const OfferFile signings{std::string(kCommissionerTeam), joinLines(entries), false};
        // Not flushed: the run deletes it again, and a power cut before the
        // run's finish puts back the league as it was, without it.
        writeFileAtomic(path, signings.bytes, platform::Flush::left);
        try {
            TeamMerge merge(folder, moveSignedPlayers);
            merge.merge(signings);
            report = merge.commit(std::nullopt, true);
        } catch (const Failure& failure) {
            try {
                deleteFile(path); // nothing was merged: the signing is still in its window
            } catch (const Failure&) {
                // the merge's own failure is the one to report
            }
            if (setAside.empty())
                throw;
            throw Failure(std::string(failure.what()) + "\n" + std::string(kCommissionerFile)
                          + " from an earlier signing was set aside as " + setAside + ".");
        }
        report.setAside = setAside;
    }
    report.run = kSigningRunName;
    return report;
}

std::optional<LeftoverSignings> findLeftoverSignings(const Path& folder)
{
    const Path path = pathIn(folder, kCommissionerFile);
    if (!fileExists(path))
        return std::nullopt;
    LeftoverSignings leftover;
    leftover.bytes = readFile(path);
    std::set<std::string> underPlayers;
    addLinesUnderPlayers(pathIn(folder, kFreeAgentFile), underPlayers);
    addLinesUnderPlayers(pathIn(folder, kSignedFile), underPlayers);
    const std::vector<std::string> lines = splitLines(leftover.bytes);
    leftover.lines = lines.size();
    for (const std::string& line : lines) {
        if (!isUsableTeamOfferLine(line) || foreignLine(kCommissionerTeam, line) != ForeignLine::None)
            continue;
        leftover.players.push_back(playerNamed(line));
        leftover.alreadyInList += underPlayers.count(nameKey(line) + '\n' + offerText(line));
    }
    return leftover;
}

std::string leftoverAsideName(const Path& folder, const std::string& stamp)
{
    const std::string base = "COMMISH set aside " + stamp;
    std::string name = base + ".txt";
    for (int n = 2; platform::exists(pathIn(folder, name)); ++n)
        name = base + " " + std::to_string(n) + ".txt";
    return name;
}

std::string leftoverQuestion(const LeftoverSignings& leftover, const std::string& asideName)
{
    std::string text = std::string(kCommissionerFile) + " from an earlier signing was found in the league folder. "
        + "It holds " + count(leftover.lines, "line", "lines");
    if (leftover.players.empty()) {
        text += ", no signing.";
    } else {
        text += ", " + count(leftover.players.size(), "signing", "signings") + ": ";
        for (std::size_t i = 0; i < leftover.players.size() && i < kPlayersNamed; ++i)
            text += (i > 0 ? ", " : "") + leftover.players[i];
        if (leftover.players.size() > kPlayersNamed)
            text += " and " + std::to_string(leftover.players.size() - kPlayersNamed) + " more";
        text += ".";
    }
    if (leftover.alreadyInList > 0)
        text += " " + count(leftover.alreadyInList, "of them already stands", "of them already stand")
            + " in fa.txt or signed.txt: merging again would sign twice.";
    return text + "\n\nMerge it into fa.txt now? Yes merges it and deletes it; No sets it aside as \""
        + asideName + "\" without merging it.";
}

MergeReport mergeLeftoverSignings(const Path& folder, const LeftoverSignings& leftover,
                                  bool moveSignedPlayers)
{
    TeamMerge merge(folder, moveSignedPlayers);
    merge.merge({std::string(kCommissionerTeam), leftover.bytes, false});
    MergeReport report = merge.commit(std::nullopt, true);
    report.run = kSigningRunName;
    return report;
}

void setLeftoverSigningsAside(const Path& folder, const std::string& asideName)
{
    const Path aside = pathIn(folder, asideName);
    if (platform::exists(aside))
        throw Failure("Cannot set " + std::string(kCommissionerFile) + " aside as " + aside.shown()
                      + ": a file of that name is there already.");
    moveFile(pathIn(folder, kCommissionerFile), aside);
}

std::optional<MergeReport> settleLeftover(const Path& folder, bool moveSignedPlayers,
                                          const std::string& stamp, Questions& questions, Recovered& recovered)
{
    Recovered before;
    std::optional<LeftoverSignings> leftover;
    changeLeague(folder, kChangingFiles, [&] { leftover = findLeftoverSignings(folder); }, before);
    if (before.message)
        questions.tell(*before.message);
    if (!leftover)
        return std::nullopt;
    const std::string aside = leftoverAsideName(folder, stamp);
    if (!questions.yes({leftoverQuestion(*leftover, aside), "--merge-leftover", "--keep-leftover"})) {
        runInLeague(folder, kSetAsideRunName, [&] { return setAsideRunFiles(aside); },
                    [&](const Path&) { setLeftoverSigningsAside(folder, aside); }, recovered);
        return std::nullopt;
    }
    MergeReport report;
    runInLeague(folder, kSigningRunName, signingRunFiles, [&](const Path& runFolder) {
        report = mergeLeftoverSignings(folder, *leftover, moveSignedPlayers);
        keepReport(runFolder, report);
    }, recovered);
    return report;
}

MergeReport mergeSignedPlayersRun(const Path& folder, const std::vector<std::string>& entries,
                                  bool moveSignedPlayers, const std::string& stamp, Recovered& recovered)
{
    const std::string aside = leftoverAsideName(folder, stamp);
    MergeReport report;
    runInLeague(folder, kSigningRunName, [&] { return signingDoneFiles(aside); },
                [&](const Path& runFolder) {
                    report = mergeSignings(folder, entries, moveSignedPlayers, aside);
                    keepReport(runFolder, report);
                },
                recovered);
    return report;
}

} // namespace bidmark
