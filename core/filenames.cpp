#include "core/filenames.h"

#include "core/cp1252.h"

namespace bidmark {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the UTF-8 character at text[i], 0 when none starts there
// (a stray byte, a cut-off or over-long sequence, a surrogate).
std::size_t utf8Length(std::string_view text, std::size_t i, char32_t& ch)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ch = lead;
        return 1;
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF                     ? 3
        : lead >= 0xF0 && lead <= 0xF4                     ? 4
                                                           : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    ch = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        ch = (ch << 6) | (byte(i + k) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ch < least[length] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
        return 0;
    return length;
}

// Calls `each` with every character of a path: UTF-8 characters, and a stray
// byte as its Windows-1252 character.
template <class Each>
void forEachCharacter(std::string_view path, Each each)
{
    for (std::size_t i = 0; i < path.size();) {
        char32_t ch = 0;
        const std::size_t length = utf8Length(path, i, ch);
        each(length == 0 ? char32_t(charOf1252(path[i])) : ch);
        i += length == 0 ? 1 : length;
    }
}

void appendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// The Windows-1252 byte of a character; nothing when it has none.
std::optional<char> byteOf1252(char32_t ch)
{
    if (ch > 0xFFFF)
        return std::nullopt;
    std::optional<std::string> byte = encode1252(std::u16string(1, static_cast<char16_t>(ch)));
    if (!byte)
        return std::nullopt;
    return (*byte)[0];
}

} // namespace

std::string fileSystemName(std::string_view leagueText)
{
    std::string name;
    name.reserve(leagueText.size());
    for (char byte : leagueText)
        appendUtf8(name, charOf1252(byte));
    return name;
}

std::optional<std::string> leagueTextOfName(std::string_view name)
{
    std::string text;
    bool storable = true;
    forEachCharacter(name, [&](char32_t ch) {
        const std::optional<char> byte = byteOf1252(ch);
        storable = storable && byte;
        text += byte.value_or('?');
    });
    if (!storable)
        return std::nullopt;
    return text;
}

std::string shownPath(std::string_view path)
{
    std::string shown;
    forEachCharacter(path, [&](char32_t ch) { shown += byteOf1252(ch).value_or('?'); });
    return shown;
}

std::u16string utf16OfPath(std::string_view path)
{
    std::u16string text;
    text.reserve(path.size());
    forEachCharacter(path, [&](char32_t ch) {
        if (ch < 0x10000) {
            text += static_cast<char16_t>(ch);
        } else {
            text += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        }
    });
    return text;
}

std::string pathOfUtf16(std::u16string_view text)
{
    std::string path;
    path.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        const bool high = ch >= 0xD800 && ch <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (ch >= 0xD800 && ch <= 0xDFFF)
            ch = kReplacement; // half a pair: no character
        appendUtf8(path, ch);
    }
    return path;
}

} // namespace bidmark
