#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bidmark {

// "Search for": the first line below the selected one (from the first line
// when none is selected) that holds the text, case ignored, blanks as typed.
// Nothing when the text is empty or no line below holds it: no wrap. The
// lines are views into `bytes` in the order they stand there, some of its
// lines left out maybe (the player list's lines of fa.txt): the bytes are
// looked through at once, not line by line.
std::optional<std::size_t> findNext(std::string_view bytes, const std::vector<std::string_view>& lines,
                                    std::optional<std::size_t> selected, std::string_view text);

// The first player line of the list with the name key; nothing when none.
std::optional<std::size_t> findPlayer(const std::vector<std::string_view>& lines, std::string_view nameKey);

} // namespace bidmark
