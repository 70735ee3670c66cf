#pragma once
#include <string>
#include <string_view>

// Numbers in the league's text: reading them, testing them and writing them
// with the number masks.
namespace bidmark {

// Number value: skip leading blanks, read the longest prefix of sign, digits,
// one point, digits and an optional exponent (blanks inside ignored, ','
// ends it); 0 when there is none. "1.5M" gives 1.5.
double numberValue(std::string_view text);

// True when the text, blanks around it allowed, is one number: optional sign
// in front, digits with ',' allowed after any digit of the whole-number part,
// at most one point, optional exponent. Empty text is false.
bool isNumeric(std::string_view text);

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
