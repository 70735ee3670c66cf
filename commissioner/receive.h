#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"

// Receive Offer Files: team offer files as a mail program saved them, taken
// in as their teams' files. A file's team is the one its lines speak for.
namespace bidmark {

// The teams the lines speak for (a usable line whose text after the name key
// begins with "<" team ">" and a blank), in the order first met.
std::vector<std::string> teamsSpokenFor(std::string_view bytes);

struct Arrival {
    Path source; // the chosen file's path
    std::string name;   // its name as league text, for messages
    std::string bytes;
    std::string team;
    std::string refused;          // why it cannot be taken in; empty when it can
    std::string fileName;         // the team's offer file
    std::optional<std::string> before; // that file as it stands (or as this batch leaves it)
    bool holdsWaitingLines = false;    // it holds lines for the team not yet merged: ask
};

enum class Taking { Replace, AddAfter, Skip };

inline constexpr std::string_view kReceiveRunName = "Receive Offer Files";

// The files of one Receive Offer Files: each looked at, then taken as the
// user answers, then written under the lock. A console program calls it as
// the window does.
class Receiving {
public:
    explicit Receiving(Path leagueFolder); // reads teams.txt; throws Failure
    // Reads the file and finds its team. Throws Failure when it cannot be read.
    Arrival inspect(const Path& source);
    void take(const Arrival& arrival, Taking taking); // an arrival that was not refused
    // The league files the receiving replaces, for the journal.
    std::vector<std::string> files() const;
    // Writes each team's file, atomically, after checking that every one is
    // still as it was looked at; none is written otherwise. Throws Failure.
    void write() const;
    // One line per file taken in or skipped, for the message after it.
    const std::vector<std::string>& summary() const { return summary_; }

private:
    Path folder_;
    std::vector<std::string> teams_;
    std::map<std::string, std::optional<std::string>> found_;  // team file: as it was looked at
    std::map<std::string, std::string> planned_;               // team file: what it will hold
    std::vector<std::string> summary_;
};

std::string waitingLinesQuestion(const Arrival& arrival);

} // namespace bidmark
