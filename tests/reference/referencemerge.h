#pragma once
#include <string>

#include "core/path.h"

namespace bidmark::test {

// The per-team merge exactly as the step-by-step algorithm reads: one pass per
// usable team offer line, each reading fa.txt, walking it with a held-line mark
// and a scratch list, appending every moved player to signed.txt on its own,
// writing temp.txt and copying it over fa.txt; a line that does not speak for
// the file's team is passed over. The product's merge must leave
// byte-identical files.
void referenceMergeTeamOffers(const Path& folder, const std::string& team, bool moveSignedPlayers);

} // namespace bidmark::test
