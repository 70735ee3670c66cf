// Wildcard match, the number readers and the code page on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/cp1252.h"
#include "core/failure.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/wildcard.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first line is a pattern, the rest the text it is matched against.
    const auto cut = input.find('\n');
    const std::string pattern = input.substr(0, cut);
    const std::string text = cut == std::string::npos ? std::string() : input.substr(cut + 1);
    if (wildcardMatch(text, "*") != true || (!text.empty() && wildcardMatch(text, "")))
        std::abort();
    wildcardMatch(text, pattern);
    fileNameMatch(text, pattern);

    const double value = numberValue(input);
    formatNumber(value, "0.0##");
    formatNumber(value, "0.0#");
    signedText(value);
    // Money conversion takes exactly the numeric texts; of those it refuses
    // only the ones too large to compute with.
    try {
        moneyValue(input, "fuzz");
        if (!isNumeric(input))
            std::abort();
    } catch (const Failure& failure) {
        if (isNumeric(input) != (std::string(failure.what()).rfind("Overflow", 0) == 0))
            std::abort();
    }

    if (lowerCase(input).size() != input.size())
        std::abort();
    const auto decoded = decode1252(input);
    const auto encoded = encode1252(decoded);
    if (!encoded || *encoded != input)
        std::abort(); // every byte survives the round trip
    return 0;
}
