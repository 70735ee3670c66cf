#include "core/cp1252.h"

namespace bidmark {

std::u16string decode1252(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = charOf1252(bytes[i]);
    return text;
}

std::optional<std::string> encode1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t ch : text) {
        if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
            bytes += static_cast<char>(ch);
            continue;
        }
        bool found = false;
        for (int i = 0; i < 32; ++i) {
            if (kHighBlock1252[i] == ch) {
                bytes += static_cast<char>(0x80 + i);
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return bytes;
}

} // namespace bidmark
