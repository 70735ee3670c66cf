#include "bench/leaguefolder.h"

#include <filesystem>

#include "core/platform.h"

namespace bidmark::bench {

LeagueFolder::LeagueFolder(const LeagueSize& size)
    : folder_(Path((std::filesystem::temp_directory_path() /
                    ("bidmark_bench_league_" + std::to_string(size.freeAgents) + "_" + std::to_string(size.rostered)
                     + "_" + std::to_string(platform::processId())))
                       .string()))
{
    platform::makeFolder(folder_);
    writeLeague(folder_, size);
}

LeagueFolder::~LeagueFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder_.bytes(), ignored);
}

} // namespace bidmark::bench
