#pragma once
#include <optional>
#include <string>
#include <string_view>

// Windows-1252, our own table: Latin-1 plus the 0x80-0x9F block. Bytes that
// the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the C1
// control of the same number so that every byte survives a round trip.
namespace bidmark {

// Characters of the bytes 0x80-0x9F; the five bytes the code page leaves
// undefined map to the C1 control of the same number.
inline constexpr char16_t kHighBlock1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// The character of one byte.
inline char16_t charOf1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x80 && b <= 0x9F) ? kHighBlock1252[b - 0x80] : static_cast<char16_t>(b);
}

std::u16string decode1252(std::string_view bytes);
// Empty when a character has no Windows-1252 byte.
std::optional<std::string> encode1252(std::u16string_view text);

} // namespace bidmark
