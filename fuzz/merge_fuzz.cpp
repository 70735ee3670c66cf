// The per-team merge against the step-by-step reference on arbitrary free-agent
// lists and team offer files: both must leave byte-identical files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <string>
#include <vector>

#include "commissioner/merge.h"
#include "core/failure.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "fuzz/fuzzfolder.h"
#include "tests/reference/referencemerge.h"

using namespace bidmark;

namespace {

std::map<std::string, std::string> filesOf(const Path& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : listFolder(folder))
        files[name] = readFile(folder / name);
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char* const kTeams[] = {"NY", "TOR", "A", "COMMISH"};
    FuzzedDataProvider input(data, size);
    const bool moveSigned = input.ConsumeBool();
    const bool deleteAfter = input.ConsumeBool();
    std::vector<std::string> teams(input.ConsumeIntegralInRange(1, 3));
    for (auto& team : teams)
        team = kTeams[input.ConsumeIntegralInRange(0, 3)];
    const Path product = freshFuzzFolder("product");
    const Path reference = freshFuzzFolder("reference");
    std::map<std::string, std::string> start;
    start["signed.txt"] = input.ConsumeRandomLengthString(256);
    for (const char* team : kTeams)
        start[teamOfferFileName(team)] = input.ConsumeRandomLengthString(2048);
    start["fa.txt"] = input.ConsumeRemainingBytesAsString();
    for (const auto& [name, bytes] : start) {
        writeFuzzFile(name, bytes, product);
        writeFuzzFile(name, bytes, reference);
    }

    bool productFailed = false, referenceFailed = false;
    try {
        mergeTeams(product, teams, moveSigned, deleteAfter);
    } catch (const Failure&) {
        productFailed = true;
    }
    try {
        for (const std::string& team : teams) {
            test::referenceMergeTeamOffers(reference, team, moveSigned);
            if (deleteAfter)
                deleteFile(pathIn(reference, teamOfferFileName(team)));
        }
    } catch (const Failure&) {
        referenceFailed = true;
    }
    if (productFailed != referenceFailed || (!productFailed && filesOf(product) != filesOf(reference)))
        std::abort();
    return 0;
}
