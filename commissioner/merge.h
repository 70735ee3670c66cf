#pragma once
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "commissioner/mergereport.h"
#include "core/path.h"

namespace bidmark {

class MergeList;
struct TeamOffer;

// An offer file as the merge read it; a missing one reads as empty.
struct OfferFile {
    std::string team;
    std::string bytes;
    bool missing = false;
};

// Reads the team's offer file (the team name followed by ".txt") in `folder`.
// Throws Failure.
OfferFile readOfferFile(const Path& folder, const std::string& team);

// Offer files merged into fa.txt one after another, as the per-team merge
// folds each usable line of a file into the list, worked out in memory and
// written at once. A file's line is used only when it speaks for the file's
// team and keeps the league's contract rules; every line's fate goes into
// the report.
class TeamMerge {
public:
    TeamMerge(Path folder, bool moveSignedPlayers);
    ~TeamMerge();
    TeamMerge(const TeamMerge&) = delete;
    TeamMerge& operator=(const TeamMerge&) = delete;

    // Folds the file's lines into the list; fa.txt is read at the first line
    // used. Writes nothing. Throws Failure.
    void merge(OfferFile file);
    // The teams' offer files folded in turn; with `deleteAfter`, a team named
    // again after its file was deleted merges an empty file.
    void mergeAll(const std::vector<std::string>& teams, bool deleteAfter);
    // Throws what would refuse commit() before it writes anything: fa.txt,
    // temp.txt or signed.txt that cannot be written.
    void checkWritable() const;

    // What the merges so far did, nothing written: the dry run's answer.
    const MergeReport& report() const { return report_; }

    // Writes what the merges did: the signing header (when given) and the
    // moved players to signed.txt in one write, then temp.txt and fa.txt
    // (when some line was used), fa.txt replaced atomically; a missing
    // offer file is made empty unless offer files are deleted; then, when
    // asked, deletes the merged offer files. Throws Failure, having written
    // nothing, when fa.txt is no longer the bytes the merge read, or when a
    // write fails (signed.txt is put back). An offer file that changed since
    // it was merged, or that cannot be deleted, is kept and the report says
    // so: the rest of the run stands.
    MergeReport commit(const std::optional<std::string>& signingHeader, bool deleteOfferFiles);

private:
    void readList();
    std::string signedUnder(const std::string& key);
    std::optional<std::string> ruleBroken(const std::string& team, const TeamOffer& offer) const;
    void makeMissingOfferFiles() const;
    void deleteMergedFiles();

    Path folder_;
    bool moveSigned_;
    std::unique_ptr<MergeList> list_; // once fa.txt is read
    bool passed_ = false;             // a line was merged: fa.txt is written
    std::string freeAgentBytes_;      // fa.txt as read
    std::vector<OfferFile> merged_;
    MergeReport report_;
    bool signedRead_ = false;
    std::unordered_map<std::string, std::string> signedUnder_; // name key to merge name
};

// The teams' offer files merged one after another and written at once, each
// team's offer file deleted after its merge when `deleteAfter` (a team named
// again after its file was deleted merges an empty file). Throws Failure,
// having written nothing when the run is refused.
MergeReport mergeTeams(const Path& folder, const std::vector<std::string>& teams, bool moveSignedPlayers,
                       bool deleteAfter, const std::optional<std::string>& signingHeader = std::nullopt);

// One team's offer file merged, the file kept.
MergeReport mergeTeamOffers(const Path& folder, const std::string& team, bool moveSignedPlayers);

} // namespace bidmark
