#pragma once
#include <optional>
#include <string>
#include <string_view>

// File names between the league's text and the file system. League text
// (a team name, a page or output name) is Windows-1252 bytes; the program's
// paths (core/path.h) are UTF-8, as the file system spells names on Linux and
// as the platform layer turns into UTF-16 on Windows. In a path, a byte that
// starts no UTF-8 character stands for its Windows-1252 character, so a name
// of raw Windows-1252 bytes (an archive unpacked without conversion) is a
// path too.
namespace bidmark {

// League text as the file system spells it: "Montr\xE9al.txt" gives
// "Montr\xC3\xA9al.txt".
std::string fileSystemName(std::string_view leagueText);

// A name the file system gave back as league text; nothing when it holds a
// character that Windows-1252 cannot store.
std::optional<std::string> leagueTextOfName(std::string_view name);

// A path as a message names it (messages are league text): every character
// Windows-1252 cannot store shown as '?'.
std::string shownPath(std::string_view path);

// A path in UTF-16 and back, for the systems that name files so.
std::u16string utf16OfPath(std::string_view path);
std::string pathOfUtf16(std::u16string_view text);

} // namespace bidmark
