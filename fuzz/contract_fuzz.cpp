// The contract terms check and the offer lines on arbitrary typed text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "core/failure.h"
#include "core/falist.h"
#include "core/contract.h"

using namespace bidmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto salary = input.ConsumeRandomLengthString(40);
    const auto years = input.ConsumeRandomLengthString(40);
    const auto bonus = input.ConsumeRandomLengthString(40);
    const auto team = input.ConsumeRandomLengthString(8);
    const auto comments = input.ConsumeRandomLengthString(70);
    const auto player = input.ConsumeRemainingBytesAsString();
    try {
        const auto terms = checkTerms(salary, years, bonus, player);
        if (!terms.problem) {
            const auto offer = makeOffer(player, team, terms.salary, years, terms.bonus, comments);
            if (offer.compare(0, nameKey(player).size(), nameKey(player)) != 0)
                std::abort(); // every offer starts with the player's name key
        }
    } catch (const Failure&) {
    }
    if (makeRetraction(player, team).find("<RETRACT>") == std::string::npos)
        std::abort();
    return 0;
}
