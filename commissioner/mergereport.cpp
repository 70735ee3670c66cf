#include "commissioner/mergereport.h"

#include <algorithm>

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
    case LineFate::BreaksRules:
        return "not used: " + line.detail + ": " + offer;
    case LineFate::AlreadySigned:
        return "not used: already signed (" + line.detail + "): " + offer;
    }
    return {};
}

std::string countsText(const LineCounts& counts)
{
    return std::to_string(counts.added) + " added, " + std::to_string(counts.replaced) + " replaced, "
           + std::to_string(counts.takenBack) + " taken back, " + std::to_string(counts.refused) + " refused";
}

std::string afterText(const FileReport& file)
{
    if (file.missing && file.after == FileAfter::Deleted)
        return {}; // nothing was received: the empty file made and deleted is no news
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

} // namespace

std::string reasonText(LineFate fate)
{
    switch (fate) {
    case LineFate::TooShort:
        return "shorter than a team offer line";
    case LineFate::NoSuchPlayer:
        return "no such player in the list";
    case LineFate::OtherTeamsTag:
        return "another team's tag";
    case LineFate::SigningInTeamFile:
        return "a signing in a team's file";
    case LineFate::NotASigning:
        return "not a signing";
    case LineFate::BreaksRules:
        return "breaks the contract rules";
    case LineFate::AlreadySigned:
        return "already signed";
    case LineFate::NothingToRetract:
        return "nothing to take back";
    default:
        return {};
    }
}

bool isUsed(LineFate fate)
{
    return fate == LineFate::OfferAdded || fate == LineFate::OfferReplaced || fate == LineFate::OfferRetracted;
}

bool countRefused(FileReport& file, LineFate fate)
{
    auto counted = std::find_if(file.refusedByReason.begin(), file.refusedByReason.end(),
                                [&](const auto& reason) { return reason.first == fate; });
    if (counted == file.refusedByReason.end()) {
        file.refusedByReason.emplace_back(fate, 0);
        counted = file.refusedByReason.end() - 1;
    }
    return ++counted->second <= kListedPerReason;
}

LineCounts countLines(const FileReport& file)
{
    LineCounts counts;
    for (const LineReport& line : file.lines) {
        if (line.fate == LineFate::OfferAdded)
            ++counts.added;
        else if (line.fate == LineFate::OfferReplaced)
            ++counts.replaced;
        else if (line.fate == LineFate::OfferRetracted)
            ++counts.takenBack;
    }
    for (const auto& reason : file.refusedByReason)
        counts.refused += reason.second;
    return counts;
}

namespace {

// One offer file's section of the report, added to its lines: its one-line
// count, then each line.
void addSection(const FileReport& file, std::vector<std::string>& lines)
{
    const std::string whose = file.team == kCommissionerTeam ? "the commissioner's signings"
                                                             : "offers of team " + file.team;
    if (file.missing) {
        lines.push_back(file.fileName + ", " + whose + ": nothing received");
        return;
    }
    lines.push_back(file.fileName + ", " + whose + ": " + count(file.lineCount, "line", "lines") + "; "
                    + countsText(countLines(file)));
    for (const LineReport& line : file.lines) {
        const std::string name = playerNamed(line.line);
        std::string text = "  Line " + std::to_string(line.number) + (name.empty() ? "" : ", " + name) + ": "
                           + fateText(file, line);
        if (line.players > 1)
            text += " (the name matches " + std::to_string(line.players) + " players in the list; each got it)";
        lines.push_back(std::move(text));
    }
    for (const auto& [fate, total] : file.refusedByReason) {
        if (total > kListedPerReason)
            lines.push_back("  ... and " + count(total - kListedPerReason, "more line", "more lines")
                            + " not used: " + reasonText(fate));
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

ReportText reportText(const MergeReport& report)
{
    LineCounts league;
    for (const FileReport& file : report.files) {
        const LineCounts counts = countLines(file);
        league.added += counts.added;
        league.replaced += counts.replaced;
        league.takenBack += counts.takenBack;
        league.refused += counts.refused;
    }
    ReportText text;
    std::vector<std::string>& lines = text.lines;
    lines.push_back(report.run);
    if (report.mergeName)
        lines.back() += ": " + *report.mergeName;
    if (!report.files.empty())
        lines.push_back(countsText(league));
    if (report.signingHeader)
        lines.push_back("Signing header written to signed.txt: " + *report.signingHeader);
    if (!report.setAside.empty())
        lines.push_back(std::string(kCommissionerFile) + " from an earlier signing was set aside as "
                        + report.setAside + ".");
    for (const FileReport& file : report.files) {
        lines.emplace_back();
        const std::size_t first = lines.size();
        addSection(file, lines);
        text.sections.emplace_back(first, lines.size());
    }
    if (report.files.empty())
        lines.push_back("Nothing to merge.");
    lines.emplace_back();
    lines.push_back("Moved to signed.txt: " + count(report.moved.size() / 2, "player", "players")
                    + (report.moved.empty() ? "." : ":"));
    for (const std::string& line : report.moved)
        lines.push_back("  " + line);
    return text;
}

std::vector<std::string> reportLines(const MergeReport& report)
{
    return reportText(report).lines;
}

const ReportText& keptText(MergeReport& report)
{
    if (report.kept.lines.empty())
        report.kept = reportText(report);
    return report.kept;
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

std::string reportFileName(const MergeReport& report)
{
    const std::string name = report.mergeName.value_or("");
    if (name.empty() || name.find_first_of("/\\:*?\"<>|") != std::string::npos || name.front() == '.')
        return std::string(kReportFile);
    return name + " " + std::string(kReportFile);
}

void writeReport(const Path& path, const MergeReport& report)
{
    writeLinesAtomic(path, reportLines(report));
}

void keepReport(const Path& runFolder, MergeReport& report)
{
    report.runFolder = runFolder;
    try {
        writeRecordLines(pathIn(runFolder, kReportFile), keptText(report).lines);
    } catch (const Failure& failure) {
        report.unkept = failure.what();
    }
}

} // namespace bidmark
