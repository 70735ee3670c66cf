// The league page from arbitrary fa.txt, marketVal.txt and signed.txt: league
// text is always text, so the page holds its own script and no other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "core/linefile.h"
#include "marketvalue/leaguepage.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    LeaguePageFiles files;
    files.marketValues = splitLines(input.ConsumeRandomLengthString(4096));
    files.signedPlayers = splitLines(input.ConsumeRandomLengthString(4096));
    files.freeAgents = splitLines(input.ConsumeRemainingBytesAsString());
    const std::string html = leaguePage(files, {"VELD", "2026-12-07"}).html;
    const std::size_t script = html.find("<script");
    if (script == std::string::npos || html.find("<script", script + 1) != std::string::npos ||
        html.find('\0') != std::string::npos)
        std::abort();
    return 0;
}
