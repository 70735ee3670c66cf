#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/journal.h"
#include "core/leaguechange.h"
#include "core/path.h"
#include "core/questions.h"

// Undo Last Run: the newest run of the user's journal not yet undone that
// changed some file has its files put back as they were before it, in a run
// of its own ("Undo Last Run") that first keeps the files as they are, so a
// killed Undo is finished at the next start. Undo runs themselves are passed
// over: pressed again, Undo undoes the run before.
namespace bidmark {

inline constexpr std::string_view kUndoRunName = "Undo Last Run";

struct UndoPlan {
    Path runFolder;
    std::string run;     // "Merge Team Offers"
    std::string started; // "2026-12-07 09.30.12"
    std::vector<std::string> putBack; // there before the run: put back as they were
    std::vector<std::string> remove;  // made by the run: removed
    std::vector<std::string> changed; // of both, those changed since the run
};

// What Undo would do now, from the journal as read (or as the caller has
// just read it); none when no run is left to undo.
std::optional<UndoPlan> planUndo(const Path& leagueFolder);
std::optional<UndoPlan> planUndo(const Path& leagueFolder, const Journal& journal);
// "There is no run to undo.", and when history/ holds runs without the
// program's mark, that they are left alone and why.
std::string nothingToUndoMessage(const Path& leagueFolder, const Journal& journal);
// The plan made again once the user has answered still undoes what was asked:
// the same run, and no file changed since it that the user was not asked about.
bool undoesWhatWasAsked(const UndoPlan& now, const UndoPlan& asked);
inline constexpr std::string_view kChangedWhileAsking =
    "The league files changed while you were answering; nothing was undone. Press Undo Last Run again to see "
    "what it would undo now.";
// Puts the run's files back, each atomically, as a journalled run: a saved
// copy changed since is refused before anything is written; an undo cut
// short is finished at the next start.
void undoRun(const Path& leagueFolder, const UndoPlan& plan,
             JournalTime now = std::chrono::system_clock::now());
void undoRun(const Path& leagueFolder, const Journal& journal, const UndoPlan& plan,
             JournalTime now = std::chrono::system_clock::now());

// The question before an undo, the one about files changed since the run,
// and the message after it.
std::string undoQuestion(const UndoPlan& plan);
std::string changedFilesQuestion(const UndoPlan& plan);
std::string undoneMessage(const UndoPlan& plan);

// Undo Last Run as one run, for the Commissioners Menu and the command line
// alike: an interrupted run put back first (told through `questions`), the
// newest run not yet undone named and asked about (again when some file
// changed since it), without the lock; then under the lock the undo is
// planned again and goes on only while it is still what was asked. The
// message to show once it is over, or none when an answer was No; the folder
// of the run it undid goes to `undone` when given. Throws Failure.
std::optional<std::string> undoLastRun(const Path& leagueFolder, Questions& questions, Recovered& recovered,
                                       Path* undone = nullptr);

} // namespace bidmark
