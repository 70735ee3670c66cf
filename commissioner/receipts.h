#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "commissioner/mergereport.h"
#include "core/path.h"

// The receipts of a Merge Team Offers run: for every team it merged, a text
// its general manager can be mailed (CR LF, Windows-1252), kept in the run's
// folder of the journal as receipts/<team's offer file name>.
namespace bidmark {

inline constexpr std::string_view kReceiptsFolder = "receipts";

// An offer standing in the free-agent list: the player as people write him
// and the offer line, both within the list's bytes.
struct ListedOffer {
    std::string_view player;
    std::string_view line;
};

// The team's receipt: the merge name and date, what became of each line of
// its offer file, every offer of the team standing in the free-agent list
// after the merge (`standing`, listed as "player: offer line"), and the
// team's players the run moved to signed.txt; its bytes, each line followed
// by CR LF.
// The sections of the team's offer files are those of the report's text.
std::string receiptText(const MergeReport& report, const ReportText& text, const std::string& team,
                        const std::string& date, const std::vector<ListedOffer>& standing);

// Every team's receipt written in the run's folder, fa.txt read once as the
// run left it; like the report, they are records of the run that a power cut
// may lose (core/linefile.h). The run has been written by then: a failure
// becomes a note.
void keepReceipts(const Path& leagueFolder, const Path& runFolder, MergeReport& report);

} // namespace bidmark
