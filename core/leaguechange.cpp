#include "core/leaguechange.h"

#include "core/journal.h"
#include "core/leaguelock.h"
#include "core/recovery.h"

namespace bidmark {

void changeJournalled(const Path& leagueFolder, std::string_view doing,
                      const std::function<void(const Journal&)>& work, Recovered& recovered)
{
    const LeagueLock lock(leagueFolder, doing);
    Journal journal = readJournal(leagueFolder);
    recovered.message = recoverInterruptedRun(leagueFolder, journal);
    work(journal);
}

void changeLeague(const Path& leagueFolder, std::string_view doing, const std::function<void()>& work,
                  Recovered& recovered)
{
    changeJournalled(leagueFolder, doing, [&](const Journal&) { work(); }, recovered);
}

void runInLeague(const Path& leagueFolder, std::string_view runName,
                 const std::function<std::vector<std::string>()>& files,
                 const std::function<void(const Path& runFolder)>& work, Recovered& recovered)
{
    changeJournalled(
        leagueFolder, "running " + std::string(runName),
        [&](const Journal& journal) {
            RunJournal run(leagueFolder, journal, runName, files());
            runJournalled(run, work);
        },
        recovered);
}

} // namespace bidmark
