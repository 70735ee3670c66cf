// The line reader on arbitrary bytes: whatever it reads, writing the lines
// back and reading them again gives the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/falist.h"
#include "core/linefile.h"
#include "core/teamfiles.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = splitLines(bytes);
    if (splitLines(joinLines(lines)) != lines)
        std::abort();
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            std::abort();
        isPlayerLine(line);
        isListedPlayerLine(line);
        for (int filter = 0; filter < kFilterCount; ++filter)
            matchesFilter(line, static_cast<Filter>(filter));
        nameKey(line);
        playerAge(line);
        positionLetter(line);
        overallRating(line);
        offerText(line);
        tagStart(line);
        isRetraction(line);
        teamNameProblem(line);
    }
    return 0;
}
