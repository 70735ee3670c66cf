#include "core/leaguechange.h"

#include "core/journal.h"
#include "core/leaguelock.h"

namespace bidmark {

void changeLeague(const std::string& leagueFolder, std::string_view doing, const std::function<void()>& work,
                  Recovered& recovered)
{
    const LeagueLock lock(leagueFolder, doing);
    if (const std::optional<std::string> run = recoverInterruptedRun(leagueFolder))
        recovered.message = interruptedRunMessage(*run);
    work();
}

void runInLeague(const std::string& leagueFolder, std::string_view runName,
                 const std::function<std::vector<std::string>()>& files,
                 const std::function<void(const std::string& runFolder)>& work, Recovered& recovered)
{
    changeLeague(leagueFolder, runName, [&] { runJournalled(leagueFolder, runName, files(), work); }, recovered);
}

} // namespace bidmark
