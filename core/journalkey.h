#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/contenthash.h"

// The user's key for the marks of the run journal: random, made on first use
// and kept outside every league folder, in the user's own folder, where each
// of the user's Bidmark programs finds it. Another user, or someone who can
// only write to the league folder, has not got it.
namespace bidmark {

// Names another folder for the key (the tests keep theirs apart so).
inline constexpr const char* kKeyFolderVariable = "BIDMARK_KEY_FOLDER";
inline constexpr std::string_view kKeyFile = "journal.key";

// The user's key; made when there is none yet. Throws when it can be neither
// read nor made.
HashKey journalKey();
// The user's key when there is one already.
std::optional<HashKey> existingJournalKey();

} // namespace bidmark
