// The team scoring page and marketVal.txt lookups on arbitrary files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "editor/playerdetails.h"
#include "fuzz/fuzzfolder.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto line = input.ConsumeRandomLengthString(80);
    writeFuzzFile("marketVal.txt", input.ConsumeRandomLengthString(4096));
    writeFuzzFile("LeagueTeamScoring.html", input.ConsumeRemainingBytesAsString());
    const auto details = playerDetails(fuzzFolder(), line, true, true);
    if (details.statistics.find_first_of("\r\n") != std::string::npos
        || details.marketValue.find_first_of("\r\n") != std::string::npos)
        std::abort(); // a lookup gives one line
    return 0;
}
