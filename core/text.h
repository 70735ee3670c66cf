#pragma once
#include <string>
#include <string_view>

// Matching and conversion rules of the league's text files. Text is bytes in
// Windows-1252; positions given to these functions are 1-based, like the
// column numbers the file formats are described in.
namespace bidmark {

// Whole text against whole pattern: '?' any one byte, '#' one digit 0-9,
// '*' any run including none, anything else itself (case counts).
bool wildcardMatch(std::string_view text, std::string_view pattern);

// File names: '*' and '?' only, case ignored (Windows-1252 letters).
bool fileNameMatch(std::string_view name, std::string_view pattern);

// Every Windows-1252 letter mapped to lower case (A-Z, À-Þ except ×, Š Œ Ž Ÿ).
std::string lowerCase(std::string_view text);

// Characters start..start+length-1 (1-based); counts past the end stop there.
std::string_view mid(std::string_view text, std::size_t start, std::size_t length);
// The first / last n characters (all of a shorter text).
std::string_view leftPart(std::string_view text, std::size_t n);
std::string_view rightPart(std::string_view text, std::size_t n);

// Number value: skip leading blanks, read the longest prefix of sign, digits,
// one point, digits and an optional exponent (blanks inside ignored, ','
// ends it); 0 when there is none. "1.5M" gives 1.5.
double numberValue(std::string_view text);

// True when the text, blanks around it allowed, is one number: optional sign
// in front, digits with ',' allowed after any digit of the whole-number part,
// at most one point, optional exponent. Empty text is false.
bool isNumeric(std::string_view text);

// Round to nearest whole number, halves to even. Throws Failure on overflow
// or a value that is not a number.
long long toInteger(double value);

// Money conversion: what isNumeric accepts, rounded to four decimals halves
// to even; anything else throws Failure naming `what` (for example the field
// and the file it came from).
double moneyValue(std::string_view text, std::string_view what);

// Number format masks "0.0##" and "0.0#": the value taken to 15 significant
// digits, rounded to the mask's decimals halves away from zero; at least one
// decimal, further ones only when not a trailing zero; never "-0.0".
std::string formatNumber(double value, std::string_view mask);

// Signed text form: a blank or "-", then the shortest decimal form without a
// leading zero (74 -> " 74", 0.5 -> " .5", -3 -> "-3").
std::string signedText(double value);

} // namespace bidmark
