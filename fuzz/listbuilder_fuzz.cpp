// The list builder on arbitrary free-agent lists and boxes: it only ever
// leaves lines out, and with every box ticked it lists every line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "core/linefile.h"
#include "editor/listbuilder.h"
#include "editor/search.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    FilterBoxes ticked{};
    for (auto& box : ticked)
        box = input.ConsumeBool();
    const std::string search = input.ConsumeRandomLengthString(16);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const auto lines = lineViews(bytes);

    const auto listed = buildPlayerList(ticked, lines);
    std::size_t next = 0;
    for (const auto& line : listed) {
        while (next < lines.size() && lines[next] != line)
            ++next;
        if (next++ == lines.size())
            std::abort(); // a listed line that is not the next line of the file
    }
    FilterBoxes all;
    all.fill(true);
    if (buildPlayerList(all, lines) != lines)
        std::abort();

    if (auto found = findNext(listed, std::nullopt, search); found && *found >= listed.size())
        std::abort();
    return 0;
}
