#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/path.h"

// What a merge did with every line it was given, as plain data, and as the
// text of report.txt: one section per offer file, each a receipt that reads
// well on its own, then the players moved to signed.txt.
namespace bidmark {

enum class LineFate {
    OfferAdded,        // the offer became the last line of the player's block
    OfferReplaced,     // it took the place of the team's earlier offer
    OfferRetracted,    // a retraction that took the team's offer back
    NothingToRetract,  // a retraction with no offer of the team to take back
    TooShort,          // shorter than a team offer line
    NoSuchPlayer,      // no player of that name key in the list
    OtherTeamsTag,     // refused: a team's file speaks only for its team
    SigningInTeamFile, // refused: only the commissioner signs
    NotASigning,       // refused: COMMISH.txt holds only signings
    BreaksRules,       // refused: it breaks the league's contract rules
    AlreadySigned,     // no such player in the list: he stands in signed.txt
};

// A line used by the merge: added, replaced or taken back.
bool isUsed(LineFate fate);

struct LineReport {
    std::size_t number; // from 1
    std::string line;
    LineFate fate;
    std::string earlier;     // the offer replaced or taken back
    std::string detail;      // the rule broken; the heading a signed player stands under
    std::size_t players = 1; // the blocks of the player's name key that got the line
};

// A team's file may hold any number of lines nobody can merge: of each
// reason this many are listed, the rest only counted.
inline constexpr std::size_t kListedPerReason = 200;

// The lines of a section counted as its one-line summary says them.
struct LineCounts {
    std::size_t added = 0, replaced = 0, takenBack = 0, refused = 0;
};

// What became of an offer file once the merge was written.
enum class FileAfter {
    Kept,
    Deleted,
    KeptChanged,   // it changed after it was merged: deleting it would lose the change
    KeptUndeleted, // it could not be deleted
};

struct FileReport {
    std::string team;
    std::string fileName;
    bool missing = false; // it was not there: created empty
    std::size_t lineCount = 0;
    std::vector<LineReport> lines;                 // each used line; the first refused of each reason
    std::vector<std::pair<LineFate, std::size_t>> refusedByReason; // all refused lines, listed or not, by reason
    FileAfter after = FileAfter::Kept;
    std::string problem; // why it could not be deleted
};

// A refused line of the reason counted in the section; true while it is
// among the first kListedPerReason of its reason, to be listed in `lines`.
bool countRefused(FileReport& file, LineFate fate);
LineCounts countLines(const FileReport& file);
std::string reasonText(LineFate fate); // why a refused line was not used, in a few words

// The report's text: its lines, and where each offer file's section stands
// among them, one span of lines (first, one past the last) for each of the
// report's files in order.
struct ReportText {
    std::vector<std::string> lines;
    std::vector<std::pair<std::size_t, std::size_t>> sections;
};

struct MergeReport {
    std::string run;                          // "Merge Team Offers", "Merge Signed Players"
    std::optional<std::string> mergeName;     // the name the run's signing header carries
    std::optional<std::string> signingHeader; // the header line the run wrote to signed.txt
    std::vector<FileReport> files;            // in the order they were merged
    std::vector<std::string> moved;           // the lines the run added to signed.txt after the header
    Path runFolder;                           // the run's folder of the journal, once the report is kept there
    std::string setAside;                     // a COMMISH.txt found in the folder and renamed to this
    std::string unkept;                       // why report.txt or the receipts could not be kept with the run
    ReportText kept;                          // the text as report.txt got it, once made (keptText)
};

ReportText reportText(const MergeReport& report);
std::vector<std::string> reportLines(const MergeReport& report); // reportText's lines
// report.kept, made when it was not yet.
const ReportText& keptText(MergeReport& report);

// What Save As offers for the report: the merge name followed by
// " report.txt", or "report.txt" when the run had none or it cannot name a
// file.
std::string reportFileName(const MergeReport& report);

// The player a team offer line names, as people write him: its name key
// without the blanks that fill it.
std::string playerNamed(std::string_view teamOfferLine);

// What the commissioner must be told once the run is over: files kept or set
// aside. Empty when nothing.
std::vector<std::string> runNotes(const MergeReport& report);

// The report's lines (CR LF) as the file at `path`, written atomically.
void writeReport(const Path& path, const MergeReport& report);

// report.txt kept in the run's folder of the journal, a record of the run
// that a power cut may lose (core/linefile.h). The run has been written by
// then: a failure here does not undo it, it becomes a note.
void keepReport(const Path& runFolder, MergeReport& report);

} // namespace bidmark
