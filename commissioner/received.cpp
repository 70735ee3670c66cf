#include "commissioner/received.h"

#include <optional>

#include "commissioner/merge.h"
#include "commissioner/mergerun.h"
#include "core/filenames.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/text.h"

namespace bidmark {

namespace {

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// " (2)" at the end, as mail programs number a second copy.
std::string_view withoutCopyNumber(std::string_view name)
{
    if (!endsWith(name, ")"))
        return name;
    const std::size_t open = name.rfind(" (");
    if (open == std::string_view::npos || open + 3 > name.size() - 1)
        return name;
    const std::string_view digits = name.substr(open + 2, name.size() - open - 3);
    return digits.find_first_not_of("0123456789") == std::string_view::npos ? name.substr(0, open) : name;
}

} // namespace

bool isMailVariant(std::string_view fileName, std::string_view team)
{
    if (fileName == teamOfferFileName(team))
        return false;
    std::string name = lowerCase(fileName);
    if (!endsWith(name, ".txt"))
        return false;
    std::string_view stem(name);
    while (endsWith(stem, ".txt"))
        stem.remove_suffix(4);
    return withoutCopyNumber(stem) == lowerCase(team);
}

std::vector<ReceivedTeam> offersReceived(const Path& folder, bool moveSignedPlayers)
{
    std::vector<std::string> names;
    for (const std::string& name : pickableFiles(folder)) {
        if (std::optional<std::string> text = leagueTextOfName(name))
            names.push_back(*text);
    }
    TeamMerge dryRun(folder, moveSignedPlayers);
    std::vector<ReceivedTeam> teams;
    for (const std::string& team : readTeams(folder)) {
        const Path path = pathIn(folder, teamOfferFileName(team));
        const bool received = fileExists(path);
        dryRun.merge({team, received ? readFile(path) : std::string(), !received});
        ReceivedTeam row{dryRun.report().files.back(), {}};
        for (const std::string& name : names) {
            if (isMailVariant(name, team))
                row.variants.push_back(name);
        }
        teams.push_back(std::move(row));
    }
    return teams;
}

std::string refusedText(const FileReport& file)
{
    const LineCounts counts = countLines(file);
    std::string text = std::to_string(counts.refused);
    for (std::size_t i = 0; i < file.refusedByReason.size(); ++i) {
        const auto& [fate, count] = file.refusedByReason[i];
        text += (i == 0 ? " (" : ", ") + std::to_string(count) + " " + reasonText(fate);
    }
    return file.refusedByReason.empty() ? text : text + ")";
}

} // namespace bidmark
