#pragma once
#include <string>
#include <string_view>
#include <vector>

// The patterns by which the league's lines and files are recognised.
namespace bidmark {

// Whole text against whole pattern: '?' any one byte, '#' one digit 0-9,
// '*' any run including none, anything else itself (case counts).
bool wildcardMatch(std::string_view text, std::string_view pattern);

// One pattern matched against many lines, with wildcardMatch's answers. A
// pattern whose only '*' closes it, as those of fa.txt's lines, is matched by
// the text's length and the places that are not '?', and nothing else.
class LinePattern {
public:
    explicit LinePattern(std::string_view pattern);
    bool matches(std::string_view text) const;

private:
    struct Place {
        std::size_t at;
        char byte; // '#': a digit
    };
    std::string pattern_;
    bool fixed_ = true;  // no '*' before its closing ones
    bool open_ = false;  // closes with '*': any text may follow
    std::size_t length_ = 0; // without the closing '*'
    std::vector<Place> places_;
};

// File names: '*' and '?' only, case ignored (Windows-1252 letters).
bool fileNameMatch(std::string_view name, std::string_view pattern);

} // namespace bidmark
