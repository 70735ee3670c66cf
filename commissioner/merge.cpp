#include "commissioner/merge.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "commissioner/mergelist.h"
#include "core/contract.h"
#include "core/failure.h"
#include "core/falist.h"
#include "core/filenames.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

// signed.txt, put back as it was when a later write of the merge fails, so
// that merging again after the failure does not log the same players twice:
// its old bytes, or no file when there was none.
class SignedLog {
public:
    explicit SignedLog(Path path) : path_(std::move(path)), existed_(fileExists(path_))
    {
        if (existed_)
            before_ = readFile(path_);
    }

    void append(const std::vector<std::string>& lines)
    {
        if (lines.empty())
            return;
        writeFileAtomic(path_, before_ + joinLines(lines)); // as appendLines, from the bytes read once
        appended_ = true;
    }

    void undoAppend() const
    {
        if (!appended_)
            return;
        try {
            if (existed_)
                writeFileAtomic(path_, before_);
            else
                deleteFile(path_);
        } catch (const Failure&) {
            // the merge's own failure is the one to report
        }
    }

private:
    Path path_;
    bool existed_;
    std::string before_;
    bool appended_ = false;
};

LineFate fateOf(ForeignLine foreign)
{
    switch (foreign) {
    case ForeignLine::SigningInTeamFile:
        return LineFate::SigningInTeamFile;
    case ForeignLine::NotASigning:
        return LineFate::NotASigning;
    default:
        return LineFate::OtherTeamsTag;
    }
}

LineFate fateOf(BlockChange::Kind change)
{
    switch (change) {
    case BlockChange::Replaced:
        return LineFate::OfferReplaced;
    case BlockChange::Retracted:
        return LineFate::OfferRetracted;
    case BlockChange::NothingToRetract:
        return LineFate::NothingToRetract;
    default:
        return LineFate::OfferAdded;
    }
}

} // namespace

OfferFile readOfferFile(const Path& folder, const std::string& team)
{
    const Path path = pathIn(folder, teamOfferFileName(team));
    if (!platform::exists(path))
        return {team, {}, true}; // made empty once the run is sure to go on
    if (!fileExists(path))
        checkWritable(path); // a link to nothing, a folder or a pipe is refused as making it would be
    return {team, readFile(path), false};
}

TeamMerge::TeamMerge(Path folder, bool moveSignedPlayers)
    : folder_(std::move(folder)), moveSigned_(moveSignedPlayers)
{
}

TeamMerge::~TeamMerge() = default;

void TeamMerge::readList()
{
    if (list_)
        return;
    freeAgentBytes_ = readFile(pathIn(folder_, kFreeAgentFile));
    list_ = std::make_unique<MergeList>(freeAgentBytes_);
}

// The merge name each player of signed.txt stands under (the last heading
// above his latest line), read at the first line that needs it.
std::string TeamMerge::signedUnder(const std::string& key)
{
    for (std::size_t i = 0; i < report_.moved.size(); i += 2) {
        if (nameKey(report_.moved[i]) == key)
            return "moved to signed.txt by this merge";
    }
    if (!signedRead_) {
        signedRead_ = true;
        const Path path = pathIn(folder_, kSignedFile);
        if (fileExists(path)) {
            std::string heading;
            forEachLine(readFile(path), [&](std::size_t, std::string_view line) {
                if (std::optional<std::string> name = headerMergeName(line))
                    heading = *name;
                else if (isPlayerLine(line))
                    signedUnder_[nameKey(line)] = heading;
            });
        }
    }
    auto found = signedUnder_.find(key);
    if (found == signedUnder_.end())
        return {};
    return "in signed.txt under \"" + found->second + "\"";
}

// The first contract rule the offer breaks for a player of its name key.
std::optional<std::string> TeamMerge::ruleBroken(const std::string& team, const TeamOffer& offer) const
{
    if (offer.retraction || team == kCommissionerTeam)
        return std::nullopt; // a signing takes an offer already in the list
    for (std::string_view player : list_->playersNamed(offer.key)) {
        if (std::optional<std::string> rule = offerRuleBroken(offer.text, player))
            return rule;
    }
    return std::nullopt;
}

void TeamMerge::merge(OfferFile file)
{
    FileReport section;
    section.team = file.team;
    section.fileName = teamOfferFileName(file.team);
    section.missing = file.missing;
    // Refused lines are counted; only the first of each reason are kept.
    const auto refuse = [&section](std::size_t number, std::string_view line, LineFate fate, std::string detail = {}) {
        if (countRefused(section, fate))
            section.lines.push_back({number, std::string(line), fate, {}, std::move(detail)});
    };
    forEachLine(file.bytes, [&](std::size_t number, std::string_view line) {
        section.lineCount = number;
        if (!isUsableTeamOfferLine(line)) {
            refuse(number, line, LineFate::TooShort);
            return;
        }
        if (const ForeignLine foreign = foreignLine(file.team, line); foreign != ForeignLine::None) {
            refuse(number, line, fateOf(foreign));
            return;
        }
        readList();
        const TeamOffer offer = teamOffer(line);
        if (std::optional<std::string> rule = ruleBroken(file.team, offer)) {
            refuse(number, line, LineFate::BreaksRules, *rule);
            return;
        }
        const std::vector<BlockChange> changes = list_->apply(offer, moveSigned_, report_.moved);
        passed_ = true;
        if (changes.empty()) {
            std::string signedUnder = this->signedUnder(offer.key);
            const LineFate fate = signedUnder.empty() ? LineFate::NoSuchPlayer : LineFate::AlreadySigned;
            refuse(number, line, fate, std::move(signedUnder));
            return;
        }
        const BlockChange& first = changes.front(); // said once for a name key several players share
        if (first.kind == BlockChange::NothingToRetract)
            refuse(number, line, LineFate::NothingToRetract);
        else
            section.lines.push_back({number, std::string(line), fateOf(first.kind), first.earlier, {}, changes.size()});
    });
    report_.files.push_back(std::move(section));
    merged_.push_back(std::move(file));
}

void TeamMerge::mergeAll(const std::vector<std::string>& teams, bool deleteAfter)
{
    std::set<std::string> read;
    for (const std::string& team : teams) {
        if (deleteAfter && read.count(team)) // its file was deleted after its first merge
            merge({team, {}, true});
        else
            merge(readOfferFile(folder_, team));
        read.insert(team);
    }
}

// A read-only fa.txt or temp.txt stops the merge before anything is written.
void TeamMerge::checkWritable() const
{
    if (!passed_)
        return; // no line used: only signed.txt may grow
    for (std::string_view file : {kSignedFile, kTempFile, kFreeAgentFile})
        platform::checkWritable(pathIn(folder_, file));
}

MergeReport TeamMerge::commit(const std::optional<std::string>& signingHeader, bool deleteOfferFiles)
{
    report_.signingHeader = signingHeader;
    std::vector<std::string> log;
    if (signingHeader)
        log.push_back(*signingHeader);
    log.insert(log.end(), report_.moved.begin(), report_.moved.end());

    SignedLog signedLog(pathIn(folder_, kSignedFile));
    const Path freeAgents = pathIn(folder_, kFreeAgentFile);
    if (passed_) {
        if (readFile(freeAgents) != freeAgentBytes_)
            throw Failure(freeAgents.shown() + " changed while the merge ran: another program wrote it. Nothing was "
                          "written; merge again.");
        checkWritable();
    }
    if (!deleteOfferFiles)
        makeMissingOfferFiles();
    if (passed_) {
        const std::string bytes = list_->bytes();
        list_.reset();
        try {
            signedLog.append(log);
            // temp.txt is the merge's scratch copy of fa.txt, which nothing reads: not flushed.
            writeFileAtomic(pathIn(folder_, kTempFile), bytes, platform::Flush::left);
            writeFileAtomic(freeAgents, bytes);
        } catch (const Failure&) {
            signedLog.undoAppend(); // the moved players are still in fa.txt
            throw;
        }
    } else {
        signedLog.append(log);
    }

    // fa.txt stands: from here on nothing fails the run.
    if (deleteOfferFiles)
        deleteMergedFiles();
    return std::move(report_);
}

// A team's offer file that was missing is left empty, as the merge always
// left it; only once nothing can refuse the run.
void TeamMerge::makeMissingOfferFiles() const
{
    for (const OfferFile& file : merged_) {
        const Path path = pathIn(folder_, teamOfferFileName(file.team));
        if (file.missing && !fileExists(path))
            appendLines(path, {});
    }
}

// Each merged offer file is deleted when it still holds what was merged; a
// file named again ends as its first merge left it.
void TeamMerge::deleteMergedFiles()
{
    std::map<std::string, std::size_t> firstMerge;
    for (std::size_t i = 0; i < merged_.size(); ++i) {
        FileReport& section = report_.files[i];
        if (auto [first, isFirst] = firstMerge.emplace(section.fileName, i); !isFirst) {
            section.after = report_.files[first->second].after;
            section.problem = report_.files[first->second].problem;
            continue;
        }
        const Path path = pathIn(folder_, section.fileName);
        try {
            if (!fileExists(path)) {
                section.after = FileAfter::Deleted; // gone already
            } else if (readFile(path) != merged_[i].bytes) {
                section.after = FileAfter::KeptChanged;
            } else {
                deleteFile(path);
                section.after = FileAfter::Deleted;
            }
        } catch (const Failure& failure) {
            section.after = FileAfter::KeptUndeleted;
            section.problem = failure.what();
        }
    }
}

MergeReport mergeTeams(const Path& folder, const std::vector<std::string>& teams, bool moveSignedPlayers,
                       bool deleteAfter, const std::optional<std::string>& signingHeader)
{
    TeamMerge merge(folder, moveSignedPlayers);
    merge.mergeAll(teams, deleteAfter);
    return merge.commit(signingHeader, deleteAfter);
}

MergeReport mergeTeamOffers(const Path& folder, const std::string& team, bool moveSignedPlayers)
{
    return mergeTeams(folder, {team}, moveSignedPlayers, false);
}

} // namespace bidmark
