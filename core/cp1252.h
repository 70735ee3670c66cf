#pragma once
#include <optional>
#include <string>
#include <string_view>

// Windows-1252, our own table: Latin-1 plus the 0x80-0x9F block. Bytes that
// the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the C1
// control of the same number so that every byte survives a round trip.
namespace bidmark {

std::u16string decode1252(std::string_view bytes);
// Empty when a character has no Windows-1252 byte.
std::optional<std::string> encode1252(std::u16string_view text);

} // namespace bidmark
