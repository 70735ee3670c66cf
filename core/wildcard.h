#pragma once
#include <string_view>

// The patterns by which the league's lines and files are recognised.
namespace bidmark {

// Whole text against whole pattern: '?' any one byte, '#' one digit 0-9,
// '*' any run including none, anything else itself (case counts).
bool wildcardMatch(std::string_view text, std::string_view pattern);

// File names: '*' and '?' only, case ignored (Windows-1252 letters).
bool fileNameMatch(std::string_view name, std::string_view pattern);

} // namespace bidmark
