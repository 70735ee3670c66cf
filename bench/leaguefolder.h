#pragma once
#include "core/path.h"

#include "bench/leaguegenerator.h"

namespace bidmark::bench {

// A generated league in a temporary folder of its own (named after the size
// and this process, so that benchmarks running at the same time keep apart),
// removed afterwards.
class LeagueFolder {
public:
    explicit LeagueFolder(const LeagueSize& size);
    ~LeagueFolder();
    LeagueFolder(const LeagueFolder&) = delete;
    LeagueFolder& operator=(const LeagueFolder&) = delete;
    const Path& path() const { return folder_; }

private:
    Path folder_;
};

} // namespace bidmark::bench
