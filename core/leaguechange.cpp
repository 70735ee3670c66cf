#include "core/leaguechange.h"

#include "core/journal.h"
#include "core/leaguelock.h"
#include "core/recovery.h"

namespace bidmark {

void changeLeague(const Path& leagueFolder, std::string_view doing, const std::function<void()>& work,
                  Recovered& recovered)
{
    const LeagueLock lock(leagueFolder, doing);
    recovered.message = recoverInterruptedRun(leagueFolder);
    work();
}

void runInLeague(const Path& leagueFolder, std::string_view runName,
                 const std::function<std::vector<std::string>()>& files,
                 const std::function<void(const Path& runFolder)>& work, Recovered& recovered)
{
    changeLeague(leagueFolder, "running " + std::string(runName),
                 [&] { runJournalled(leagueFolder, runName, files(), work); }, recovered);
}

} // namespace bidmark
