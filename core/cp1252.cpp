#include "core/cp1252.h"

namespace bidmark {

namespace {

// Characters of the bytes 0x80-0x9F; the five bytes the code page leaves
// undefined map to the C1 control of the same number.
constexpr char16_t kHighBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

std::u16string decode1252(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        unsigned char b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b <= 0x9F) ? kHighBlock[b - 0x80] : static_cast<char16_t>(b);
    }
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
            if (kHighBlock[i] == ch) {
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
