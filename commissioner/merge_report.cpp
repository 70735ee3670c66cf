#include "commissioner/merge_report.h"

#include "core/failure.h"
#include "core/falist.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string fateText(const FileReport& file, const LineReport& line)
{
    const bool signings = file.team == kCommissionerTeam;
    const std::string offer = quoted(offerText(line.line));
    switch (line.fate) {
    case LineFate::OfferAdded:
        return signings ? "signed: " + quoted(offerText(line.line).substr(9)) : "offer added: " + offer;
    case LineFate::OfferReplaced:
        return (signings ? "signed: " : "offer ") + offer + " took the place of the earlier offer "
            + quoted(line.earlier);
    case LineFate::OfferRetracted:
        return "retraction: the offer " + quoted(line.earlier) + " was taken back";
    case LineFate::NothingToRetract:
        return "retraction: there was no offer of " + file.team + " to take back";
    case LineFate::TooShort:
        return "not used: shorter than a team offer line";
    case LineFate::NoSuchPlayer:
        return "not used: no such player in the list: " + offer;
    case LineFate::OtherTeamsTag:
        return "not used: not an offer of " + file.team + " (another team's tag): " + offer;
    case LineFate::SigningInTeamFile:
        return "not used: a signing in a team's file: " + offer;
    case LineFate::NotASigning:
        return "not used: not a signing: " + offer;
    }
    return {};
}

std::string afterText(const FileReport& file)
{
    switch (file.after) {
    case FileAfter::Kept:
        return {};
    case FileAfter::Deleted:
        return file.fileName + " was deleted after merging.";
    case FileAfter::KeptChanged:
        return file.fileName + " changed while the merge ran: it was kept, and what it holds now was not merged.";
    case FileAfter::KeptUndeleted:
        return file.fileName + " was merged but could not be deleted (" + file.problem + ").";
    }
    return {};
}

void addFileSection(std::vector<std::string>& lines, const FileReport& file)
{
    const std::string whose = file.team == kCommissionerTeam ? "the commissioner's signings"
                                                             : "offers of team " + file.team;
    lines.push_back(file.fileName + ", " + whose + ": "
                    + (file.missing ? std::string("file missing (created empty)")
                                    : count(file.lineCount, "line", "lines")));
    for (const LineReport& line : file.lines) {
        const std::string name = playerNamed(line.line);
        lines.push_back("  Line " + std::to_string(line.number) + (name.empty() ? "" : ", " + name) + ": "
                        + fateText(file, line));
    }
    if (std::string after = afterText(file); !after.empty())
        lines.push_back(after);
}

} // namespace

std::string playerNamed(std::string_view teamOfferLine)
{
    std::string name = nameKey(teamOfferLine);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

std::vector<std::string> reportLines(const MergeReport& report)
{
    std::vector<std::string> lines{report.run};
    if (report.signingHeader)
        lines.push_back("Signing header written to signed.txt: " + *report.signingHeader);
    if (!report.setAside.empty())
        lines.push_back(std::string(kCommissionerFile) + " from an earlier signing was set aside as "
                        + report.setAside + ".");
    for (const FileReport& file : report.files) {
        lines.emplace_back();
        addFileSection(lines, file);
    }
    if (report.files.empty())
        lines.push_back("Nothing to merge.");
    lines.emplace_back();
    lines.push_back("Moved to signed.txt: " + count(report.moved.size() / 2, "player", "players")
                    + (report.moved.empty() ? "." : ":"));
    for (const std::string& line : report.moved)
        lines.push_back("  " + line);
    return lines;
}

std::vector<std::string> runNotes(const MergeReport& report)
{
    std::vector<std::string> notes;
    if (!report.setAside.empty())
        notes.push_back(std::string(kCommissionerFile) + " from an earlier signing was found and set aside as "
                        + report.setAside + "; it was not merged.");
    for (const FileReport& file : report.files) {
        if (file.after == FileAfter::KeptChanged || file.after == FileAfter::KeptUndeleted)
            notes.push_back(afterText(file));
    }
    if (!report.unkept.empty())
        notes.push_back("The report could not be kept with the run (" + report.unkept
                        + "); save it from its window with Save As.");
    return notes;
}

void writeReport(const std::string& path, const MergeReport& report)
{
    writeLinesAtomic(path, reportLines(report));
}

void keepReport(const std::string& runFolder, MergeReport& report)
{
    try {
        writeReport(pathIn(runFolder, kReportFile), report);
    } catch (const Failure& failure) {
        report.unkept = failure.what();
    }
}

} // namespace bidmark
