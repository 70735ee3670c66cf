// The market value run on arbitrary roster and vitals pages and free-agent
// lists: a message or a Failure, never a half-written output file, never
// an overflow written as a figure.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "core/failure.h"
#include "core/linefile.h"
#include "fuzz/fuzzfolder.h"
#include "marketvalue/valuerun.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto rate = input.ConsumeRandomLengthString(12);
    writeFuzzFile("roster.html", input.ConsumeRandomLengthString(8192));
    writeFuzzFile("vitals.html", input.ConsumeRandomLengthString(8192));
    writeFuzzFile("fa.txt", input.ConsumeRemainingBytesAsString());
    writeFuzzFile("out.txt", "before\r\n");
    try {
        const auto message = runMarketValue(fuzzFolder(), "roster.html", "vitals.html", "out.txt", rate).message;
        const std::string output = readFile(pathIn(fuzzFolder(), "out.txt"));
        if (message.rfind("DONE ", 0) == 0 && output.size() < 8)
            std::abort(); // a finished run wrote at least its header
        // An overflow is a failure, never a figure: the figures stand after
        // the 20 characters of a player's name.
        for (const std::string& line : splitLines(output)) {
            const std::string figures = line.size() > 20 ? line.substr(20) : std::string();
            if (figures.find("Infinity") != std::string::npos || figures.find("NaN") != std::string::npos)
                std::abort();
        }
    } catch (const Failure&) {
        if (readFile(pathIn(fuzzFolder(), "out.txt")) != "before\r\n")
            std::abort(); // a failed run leaves the output as it was
    }
    return 0;
}
