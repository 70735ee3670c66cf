#include "commissioner/merge.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "commissioner/offer_pass.h"
#include "core/failure.h"
#include "core/falist.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

namespace bidmark {

namespace {

// The free-agent list held in memory while one team's lines are merged. It is
// cut into runs, each starting at a player line; a pass changes only the runs
// holding the named player and, with the move option, the runs holding a
// signed block, so only those are walked. Runs are never inserted, so their
// index order is the list order, and moved players come out in the order a
// walk over the whole list would find them.
class FreeAgentList {
public:
    explicit FreeAgentList(std::vector<std::string> lines)
    {
        for (auto& line : lines) {
            if (isPlayerLine(line)) {
                runs_.push_back({});
                runs_.back().previous = static_cast<int>(runs_.size()) - 2;
                noteRunOf(line, static_cast<int>(runs_.size()) - 1);
            }
            (runs_.empty() ? head_ : runs_.back().lines).push_back(std::move(line));
        }
        for (std::size_t r = 0; r < runs_.size(); ++r) {
            const auto& runLines = runs_[r].lines;
            if (std::any_of(runLines.begin(), runLines.end(), [](const std::string& l) { return isSignedLine(l); }))
                markSigned(static_cast<int>(r));
        }
    }

    void apply(const TeamOffer& offer, bool moveSigned, std::vector<std::string>& moved)
    {
        std::vector<int> touched;
        if (auto named = byKey_.find(offer.key); named != byKey_.end())
            touched = named->second;
        if (moveSigned)
            touched.insert(touched.end(), signed_.begin(), signed_.end());
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());

        // An offer that is itself a player line starts a new block inside its run.
        const bool addsPlayer = !offer.retraction && isPlayerLine(offer.text);
        for (int r : touched) {
            if (!runs_[r].alive)
                continue;
            runs_[r].lines = applyPass(std::move(runs_[r].lines), offer, moveSigned, moved);
            if (addsPlayer)
                noteRunOf(offer.text, r);
            settle(r);
        }
    }

    std::vector<std::string> takeLines()
    {
        std::size_t count = head_.size();
        for (const Run& run : runs_)
            count += run.lines.size();
        std::vector<std::string> all = std::move(head_);
        all.reserve(count);
        for (Run& run : runs_)
            all.insert(all.end(), std::make_move_iterator(run.lines.begin()),
                       std::make_move_iterator(run.lines.end()));
        return all;
    }

private:
    struct Run {
        std::vector<std::string> lines;
        int previous = -1; // the live run above, -1 for the lines above every player
        bool alive = true;
    };

    // After a pass: lines left above the run's first player line (those below
    // a moved signed line) belong to the block above it now.
    void settle(int r)
    {
        Run& run = runs_[r];
        auto firstPlayer = std::find_if(run.lines.begin(), run.lines.end(),
                                        [](const std::string& line) { return isPlayerLine(line); });
        if (firstPlayer != run.lines.begin()) {
            std::vector<std::string>& above = run.previous < 0 ? head_ : runs_[run.previous].lines;
            above.insert(above.end(), std::make_move_iterator(run.lines.begin()),
                         std::make_move_iterator(firstPlayer));
            run.lines.erase(run.lines.begin(), firstPlayer);
            markSigned(run.previous);
        }
        if (run.lines.empty()) {
            run.alive = false;
            for (std::size_t below = r + 1; below < runs_.size(); ++below) {
                if (runs_[below].alive) {
                    runs_[below].previous = run.previous;
                    break;
                }
            }
        }
        markSigned(r);
    }

    // Remembers that run r holds a block of this player.
    void noteRunOf(const std::string& player, int r) { byKey_[nameKey(player)].push_back(r); }

    void markSigned(int r)
    {
        if (r < 0)
            return;
        if (runs_[r].alive && holdsSignedBlock(runs_[r].lines))
            signed_.insert(r);
        else
            signed_.erase(r);
    }

    std::vector<std::string> head_;
    std::vector<Run> runs_;
    std::unordered_map<std::string, std::vector<int>> byKey_; // runs holding each name key
    std::set<int> signed_; // runs a pass with the move option would change
};

// signed.txt, which a failed merge leaves as it found it, so that merging
// again after the failure does not log the same players twice.
class SignedLog {
public:
    explicit SignedLog(std::string path) : path_(std::move(path))
    {
        if (fileExists(path_))
            before_ = readFile(path_);
    }

    void append(const std::vector<std::string>& lines)
    {
        if (lines.empty())
            return;
        appendLines(path_, lines);
        appended_ = true;
    }

    void undoAppend() const
    {
        if (!appended_)
            return;
        try {
            writeFileAtomic(path_, before_);
        } catch (const Failure&) {
            // the merge's own failure is the one to report
        }
    }

private:
    std::string path_;
    std::string before_; // empty when there was no log
    bool appended_ = false;
};

// The usable lines of a team's offer file, created empty when missing.
std::vector<TeamOffer> readTeamOffers(const std::string& folder, const std::string& team)
{
    const std::string offerFile = pathIn(folder, teamOfferFileName(team));
    appendLines(offerFile, {});
    std::vector<TeamOffer> offers;
    for (const std::string& line : readLines(offerFile)) {
        if (isUsableTeamOfferLine(line))
            offers.push_back(teamOffer(line));
    }
    return offers;
}

// The teams' passes over one copy of the list in memory; fa.txt is read at
// the first usable line and the files are written once, by commit().
class Merge {
public:
    Merge(const std::string& folder, bool moveSignedPlayers, bool deleteAfter)
        : folder_(folder), moveSigned_(moveSignedPlayers), deleteAfter_(deleteAfter)
    {
    }

    void mergeTeam(const std::string& team)
    {
        // A team named again after its file was deleted merges an empty file.
        const bool deleted = deleteAfter_
            && std::find(merged_.begin(), merged_.end(), team) != merged_.end();
        for (const TeamOffer& offer : deleted ? std::vector<TeamOffer>() : readTeamOffers(folder_, team)) {
            if (!list_)
                list_.emplace(readLines(pathIn(folder_, kFreeAgentFile)));
            list_->apply(offer, moveSigned_, moved_);
        }
        if (!deleted)
            merged_.push_back(team);
    }

    // signed.txt, temp.txt and fa.txt as the merges so far leave them, then
    // the merged teams' offer files deleted when asked.
    void commit()
    {
        if (list_) {
            const std::string bytes = joinLines(list_->takeLines());
            list_.reset();
            // A read-only fa.txt or temp.txt stops the merge before anything is written.
            for (std::string_view file : {kSignedFile, kTempFile, kFreeAgentFile})
                checkWritable(pathIn(folder_, file));
            SignedLog log(pathIn(folder_, kSignedFile));
            try {
                log.append(moved_);
                writeFileAtomic(pathIn(folder_, kTempFile), bytes);
                writeFileAtomic(pathIn(folder_, kFreeAgentFile), bytes);
            } catch (const Failure&) {
                log.undoAppend(); // the moved players are still in fa.txt
                throw;
            }
        }
        if (deleteAfter_) {
            for (const std::string& team : merged_)
                deleteFile(pathIn(folder_, teamOfferFileName(team)));
        }
    }

private:
    std::string folder_;
    bool moveSigned_;
    bool deleteAfter_;
    std::optional<FreeAgentList> list_;
    std::vector<std::string> moved_;
    std::vector<std::string> merged_; // teams whose offer file was read
};

} // namespace

void mergeTeams(const std::string& folder, const std::vector<std::string>& teams,
                bool moveSignedPlayers, bool deleteAfter)
{
    Merge merge(folder, moveSignedPlayers, deleteAfter);
    try {
        for (const std::string& team : teams)
            merge.mergeTeam(team);
    } catch (const Failure&) {
        merge.commit(); // the teams merged before the failure stay merged
        throw;
    }
    merge.commit();
}

void mergeTeamOffers(const std::string& folder, const std::string& team, bool moveSignedPlayers)
{
    mergeTeams(folder, {team}, moveSignedPlayers, false);
}

} // namespace bidmark
