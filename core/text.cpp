#include "core/text.h"

namespace bidmark {

char lowerLetter(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return static_cast<char>(b + 0x20);
    switch (b) {
    case 0x8A: return '\x9A'; // S caron
    case 0x8C: return '\x9C'; // OE
    case 0x8E: return '\x9E'; // Z caron
    case 0x9F: return '\xFF'; // Y diaeresis
    default: return c;
    }
}

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = lowerLetter(c);
    return out;
}

std::string_view mid(std::string_view text, std::size_t start, std::size_t length)
{
    if (start == 0)
        start = 1; // position 0 is read as the first character
    if (start > text.size())
        return {};
    return text.substr(start - 1, length);
}

std::string_view leftPart(std::string_view text, std::size_t n)
{
    return text.substr(0, n);
}

std::string_view rightPart(std::string_view text, std::size_t n)
{
    return n >= text.size() ? text : text.substr(text.size() - n);
}

} // namespace bidmark
