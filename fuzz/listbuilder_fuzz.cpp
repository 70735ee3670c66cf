// The list builder on arbitrary free-agent lists and boxes: it only ever
// leaves lines out, and with every box ticked it lists every line; a search
// of the list finds the line that holds the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "core/linefile.h"
#include "core/text.h"
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

    // The search finds what looking through each listed line in lower case finds.
    std::optional<std::size_t> holder;
    for (std::size_t row = 0; !search.empty() && !holder && row < listed.size(); ++row) {
        if (lowerCase(listed[row]).find(lowerCase(search)) != std::string::npos)
            holder = row;
    }
    if (findNext(bytes, listed, std::nullopt, search) != holder)
        std::abort();
    return 0;
}
