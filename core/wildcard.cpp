#include "core/wildcard.h"

#include "core/text.h"

namespace bidmark {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Greedy two-pointer wildcard match with backtracking to the last '*' only:
// O(text * pattern) in the worst case, linear in the usual case. `equal`
// compares a text byte with a literal pattern byte; `digitWildcard` says
// whether '#' stands for one digit.
template <typename Equal>
bool matchWildcards(std::string_view text, std::string_view pattern, bool digitWildcard, Equal equal)
{
    std::size_t t = 0, p = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size()) {
            char pc = pattern[p];
            if (pc == '*') {
                if (p + 1 == pattern.size())
                    return true; // a closing '*' takes whatever is left
                starP = p++;
                starT = t;
                continue;
            }
            if (pc == '?') {
                // A run of '?' takes as many characters, whatever they are.
                std::size_t run = 1;
                while (p + run < pattern.size() && pattern[p + run] == '?')
                    ++run;
                if (text.size() - t >= run) {
                    t += run;
                    p += run;
                    continue;
                }
            }
            bool one = pc != '?' && (digitWildcard && pc == '#' ? isDigit(text[t]) : equal(text[t], pc));
            if (one) {
                ++t;
                ++p;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool wildcardMatch(std::string_view text, std::string_view pattern)
{
    return matchWildcards(text, pattern, true, [](char a, char b) { return a == b; });
}

LinePattern::LinePattern(std::string_view pattern) : pattern_(pattern)
{
    while (!pattern.empty() && pattern.back() == '*') {
        pattern.remove_suffix(1);
        open_ = true;
    }
    fixed_ = pattern.find('*') == std::string_view::npos;
    length_ = pattern.size();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '?')
            places_.push_back({at, pattern[at]});
    }
}

bool LinePattern::matches(std::string_view text) const
{
    if (!fixed_)
        return wildcardMatch(text, pattern_);
    if (open_ ? text.size() < length_ : text.size() != length_)
        return false;
    for (const Place& place : places_) {
        const char c = text[place.at];
        if (place.byte == '#' ? !isDigit(c) : c != place.byte)
            return false;
    }
    return true;
}

bool fileNameMatch(std::string_view name, std::string_view pattern)
{
    return matchWildcards(name, pattern, false,
                          [](char a, char b) { return lowerLetter(a) == lowerLetter(b); });
}

} // namespace bidmark
