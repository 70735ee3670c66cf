#pragma once
#include <string>
#include <string_view>

// Plain text of the league's files: bytes in Windows-1252. Positions given to
// these functions are 1-based, like the columns the file formats are told in.
namespace bidmark {

// A Windows-1252 letter in lower case (A-Z, À-Þ except ×, Š Œ Ž Ÿ); any other
// byte as it is.
char lowerLetter(char c);
std::string lowerCase(std::string_view text);

// Characters start..start+length-1 (1-based); counts past the end stop there.
std::string_view mid(std::string_view text, std::size_t start, std::size_t length);
// The first / last n characters (all of a shorter text).
std::string_view leftPart(std::string_view text, std::size_t n);
std::string_view rightPart(std::string_view text, std::size_t n);

} // namespace bidmark
