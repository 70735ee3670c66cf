#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "commissioner/mergereport.h"
#include "core/path.h"

// Offers Received: what the next Merge Team Offers would find, team by team,
// worked out by the merge's own checks with nothing written.
namespace bidmark {

struct ReceivedTeam {
    FileReport file;                   // the dry run's section: missing when nothing was received
    std::vector<std::string> variants; // files a mail program named after the team's file
};

// Every team of teams.txt, in file order, as the merge would take it with the
// option to move signed players as given. Reads fa.txt, signed.txt and the
// offer files; writes nothing. Throws Failure.
std::vector<ReceivedTeam> offersReceived(const Path& folder, bool moveSignedPlayers);

// The file name (as league text) is one a mail program makes of the team's
// offer file when it saves it: another case ("tor.txt", "TOR.TXT"), a copy
// number ("TOR (2).txt") or the extension twice ("TOR.txt.txt"). The team's
// file itself is no variant.
bool isMailVariant(std::string_view fileName, std::string_view team);

// A line of the table: "used 3; refused 2 (1 another team's tag, 1 ...)".
std::string refusedText(const FileReport& file);

} // namespace bidmark
