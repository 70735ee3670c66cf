#include "core/leaguefiles.h"

#include "core/text.h"

namespace bidmark {

std::string teamOfferFileName(std::string_view team) { return std::string(team) + ".txt"; }

std::string_view ownFileNamed(std::string_view fileName)
{
    const std::string lower = lowerCase(fileName);
    for (std::string_view own : kOwnFiles) {
        if (lower == lowerCase(own))
            return own;
    }
    return {};
}

} // namespace bidmark
