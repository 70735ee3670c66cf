#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/failure.h"
#include "core/platform.h"

namespace bidmark {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Blanks skipped by the number value: space, tab and line feed.
bool isValueBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The digits at a place of the text, at most 15 of them, as a number (it is
// exact) and where they end: at the place itself when there is no digit.
struct WholeNumber {
    double value = 0;
    std::size_t end = 0;
};

WholeNumber wholeNumberAt(std::string_view text, std::size_t at)
{
    constexpr std::size_t kExactDigits = 15;
    std::uint64_t whole = 0;
    std::size_t end = at;
    for (; end < text.size() && end - at < kExactDigits && isDigit(text[end]); ++end)
        whole = whole * 10 + static_cast<std::uint64_t>(text[end] - '0');
    return {static_cast<double>(whole), end};
}

// Whether the number value reads on past a whole number's digits.
bool carriesNumberOn(char c)
{
    return isDigit(c) || isValueBlank(c) || c == '.' || c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// A decimal number as a digit string: value = 0.d1d2...dn * 10^pointPos, that
// is pointPos digits stand before the decimal point (pointPos may be <= 0 or
// larger than the number of digits).
struct Decimal {
    std::string digits;
    long pointPos = 0;
};

enum class Halves { AwayFromZero, ToEven };

// Whether dropping the digits from `keep` on rounds the kept ones up.
bool roundsUp(const Decimal& d, long keep, Halves halves)
{
    if (keep < 0)
        return false;
    const char r = d.digits[static_cast<std::size_t>(keep)];
    if (r != '5')
        return r > '5';
    if (halves == Halves::AwayFromZero)
        return true;
    const bool beyond = d.digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
    const char last = keep > 0 ? d.digits[static_cast<std::size_t>(keep) - 1] : '0';
    return beyond || (last - '0') % 2 == 1;
}

// The magnitude rounded to `decimals` decimals.
Decimal roundDecimal(Decimal d, int decimals, Halves halves)
{
    // Drop leading zeros so that pointPos tells the magnitude.
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0')
        ++lead;
    d.digits.erase(0, lead);
    d.pointPos -= static_cast<long>(lead);
    if (d.digits.empty())
        d.pointPos = 1;

    const long keep = d.pointPos + decimals; // digits kept
    if (keep < static_cast<long>(d.digits.size())) {
        const bool up = roundsUp(d, keep, halves);
        if (keep <= 0) {
            // Every digit lies beyond the rounding place: one unit of the
            // last decimal, or nothing.
            d.digits = up ? "1" : "";
            d.pointPos = up ? 1 - decimals : 1;
        } else {
            d.digits.resize(static_cast<std::size_t>(keep));
            long i = keep - 1;
            for (; up && i >= 0; --i) {
                char& digit = d.digits[static_cast<std::size_t>(i)];
                if (digit != '9') {
                    ++digit;
                    break;
                }
                digit = '0';
            }
            if (up && i < 0) {
                d.digits.insert(d.digits.begin(), '1');
                ++d.pointPos;
            }
        }
    }
    if (d.digits.empty())
        d.pointPos = 1;
    return d;
}

// Plain text "int.frac" with exactly `decimals` decimals ("int" for none).
std::string decimalText(const Decimal& d, int decimals)
{
    std::string intPart;
    std::string fracPart;
    const long n = static_cast<long>(d.digits.size());
    if (d.pointPos <= 0) {
        intPart = "0";
        fracPart.assign(static_cast<std::size_t>(-d.pointPos), '0');
        fracPart += d.digits;
    } else if (d.pointPos >= n) {
        intPart = d.digits;
        intPart.append(static_cast<std::size_t>(d.pointPos - n), '0');
    } else {
        intPart = d.digits.substr(0, static_cast<std::size_t>(d.pointPos));
        fracPart = d.digits.substr(static_cast<std::size_t>(d.pointPos));
    }
    std::size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
    fracPart.resize(static_cast<std::size_t>(decimals), '0');
    return decimals > 0 ? intPart + "." + fracPart : intPart;
}

bool allZeroDigits(const std::string& text)
{
    for (char c : text)
        if (c >= '1' && c <= '9')
            return false;
    return true;
}

// Parses plain decimal text (digits, optional point, optional exponent,
// optional leading '-') without regard to the C locale. Out of range gives
// +-inf or 0.
double parseDouble(std::string_view text)
{
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return platform::strtodInCLocale(std::string(text));
    if (result.ec != std::errc())
        return 0;
    return value;
}

// The digits of a double to `precision` significant digits and its decimal
// exponent (value = d.ddd * 10^exponent). Only for finite values.
void scientificDigits(double value, int precision, std::string& digits, int& exponent)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific, precision - 1);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t e = text.find('e');
    digits.clear();
    for (char c : text.substr(0, e))
        if (isDigit(c))
            digits += c;
    exponent = 0;
    std::string_view exp = text.substr(e + 1);
    if (!exp.empty() && exp[0] == '+')
        exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
}

bool roundTrips(double value, const std::string& digits, int exponent)
{
    std::string text = digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exponent);
    return parseDouble(text) == std::fabs(value);
}

constexpr int kWholeMaskDecimals = 3;
constexpr double kWholeMaskLimit = 1e15;

// Ten to the power, up to 19.
std::uint64_t powerOfTen(int power)
{
    std::uint64_t result = 1;
    while (power-- > 0)
        result *= 10;
    return result;
}

// The mask's text of a value below kWholeMaskLimit with at most
// kWholeMaskDecimals decimals, worked out on whole numbers rather than digit
// text, as formatNumber does for every value: the 15 significant digits as
// one number, rounded at the last decimal halves away from zero.
std::string wholeNumberMaskText(double value, int minDecimals, int maxDecimals)
{
    constexpr int kSignificant = 15;
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, kSignificant - 1);
    // "d.ddddddddddddddde-xx": a digit, the point, 14 digits, the exponent.
    std::uint64_t digits = static_cast<std::uint64_t>(buffer[0] - '0');
    for (int at = 2; at < kSignificant + 1; ++at)
        digits = digits * 10 + static_cast<std::uint64_t>(buffer[at] - '0');
    const char* exponentText = buffer + kSignificant + 2; // past the 'e'
    if (*exponentText == '+')
        ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, written.ptr, exponent);

    // The digits standing before the rounding place, and the number of last
    // decimals that they and the rounding make.
    const int kept = exponent + 1 + maxDecimals;
    std::uint64_t units = 0;
    if (kept >= kSignificant) {
        units = digits * powerOfTen(kept - kSignificant);
    } else if (kept >= 0) {
        const std::uint64_t dropped = powerOfTen(kSignificant - kept);
        units = digits / dropped + (digits % dropped >= dropped / 2 ? 1 : 0);
    }
    const std::uint64_t scale = powerOfTen(maxDecimals);
    char text[48];
    char* end = text;
    if (value < 0 && units != 0)
        *end++ = '-';
    end = std::to_chars(end, text + sizeof text, units / scale).ptr;
    std::uint64_t fraction = units % scale;
    int decimals = maxDecimals; // less the trailing zeros the mask leaves out
    for (; decimals > minDecimals && fraction % 10 == 0; --decimals)
        fraction /= 10;
    if (decimals > 0) {
        *end++ = '.';
        for (int place = decimals - 1; place >= 0; --place, fraction /= 10)
            end[place] = static_cast<char>('0' + fraction % 10);
        end += decimals;
    }
    return std::string(text, end);
}

// The parts of a text that isNumeric accepts; false when it is not one.
struct NumericParts {
    bool negative = false;
    std::string whole;    // digits, commas dropped
    std::string fraction; // digits
    long exponent = 0;    // clamped
};

bool parseNumeric(std::string_view text, NumericParts& parts)
{
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    text = text.substr(b, e - b);
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    while (i < n) {
        char c = text[i];
        if (isDigit(c)) {
            parts.whole += c;
        } else if (c == ',' && i > 0 && isDigit(text[i - 1])) {
            // thousands separator after a digit
        } else {
            break;
        }
        ++i;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i]))
            parts.fraction += text[i++];
    }
    if (parts.whole.empty() && parts.fraction.empty())
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negExp = text[i] == '-';
            ++i;
        }
        if (i >= n || !isDigit(text[i]))
            return false;
        long exp = 0;
        while (i < n && isDigit(text[i])) {
            if (exp < 100000000)
                exp = exp * 10 + (text[i] - '0');
            ++i;
        }
        parts.exponent = negExp ? -exp : exp;
    }
    return i == n;
}

} // namespace

double numberValue(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isValueBlank(text[i]))
        ++i;
    // A whole number that nothing carries on (an age, a rating: the common
    // case) is read as it stands.
    if (const WholeNumber whole = wholeNumberAt(text, i);
        whole.end > i && (whole.end == n || !carriesNumberOn(text[whole.end])))
        return whole.value;

    std::string number;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    bool point = false;
    bool anyDigit = false;
    for (; i < n; ++i) {
        char c = text[i];
        if (isValueBlank(c))
            continue;
        if (isDigit(c)) {
            number += c;
            anyDigit = true;
        } else if (c == '.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0;
    // Optional exponent: E or D, optional sign, at least one digit (blanks ignored).
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        while (j < n && isValueBlank(text[j]))
            ++j;
        bool negative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            negative = text[j] == '-';
            ++j;
        }
        long exponent = 0;
        bool expDigit = false;
        for (; j < n; ++j) {
            char c = text[j];
            if (isValueBlank(c))
                continue;
            if (!isDigit(c))
                break;
            expDigit = true;
            if (exponent < 100000) // far beyond any double; keeps the text short
                exponent = exponent * 10 + (c - '0');
        }
        if (expDigit)
            number += (negative ? "e-" : "e") + std::to_string(exponent);
    }
    double value = parseDouble(number);
    return value == 0.0 ? 0.0 : value;
}

bool isNumeric(std::string_view text)
{
    NumericParts parts;
    return parseNumeric(text, parts);
}

double moneyValue(std::string_view text, std::string_view what)
{
    // Plain digits with blanks around them (a salary in dollars) are read as
    // they stand.
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    if (const WholeNumber whole = wholeNumberAt(text, start);
        whole.end > start && text.find_first_not_of(' ', whole.end) == std::string_view::npos)
        return whole.value;
    NumericParts parts;
    const auto overflow = [&] {
        return Failure("Overflow: \"" + std::string(text.substr(0, 200)) + "\" is too large (" + std::string(what) + ")");
    };
    if (!parseNumeric(text, parts))
        throw Failure("Not a number: \"" + std::string(text.substr(0, 200)) + "\" (" + std::string(what) + ")");
    // A whole number of at most 15 digits (a salary in dollars) is held
    // exactly: there are no decimals to round.
    if (parts.fraction.empty() && parts.exponent == 0 && parts.whole.size() <= 15) {
        std::uint64_t units = 0;
        std::from_chars(parts.whole.data(), parts.whole.data() + parts.whole.size(), units);
        const double value = static_cast<double>(units);
        return parts.negative && units != 0 ? -value : value;
    }
    Decimal d;
    d.digits = parts.whole + parts.fraction;
    d.pointPos = static_cast<long>(parts.whole.size()) + parts.exponent;
    // Leading zeros do not change the magnitude; drop them before the range check.
    std::size_t lead = d.digits.find_first_not_of('0');
    if (lead == std::string::npos)
        return 0.0;
    d.digits.erase(0, lead);
    d.pointPos -= static_cast<long>(lead);
    if (d.pointPos > 320)
        throw overflow();
    if (d.pointPos < -10)
        return 0.0; // far below the fourth decimal
    double value = parseDouble(decimalText(roundDecimal(d, 4, Halves::ToEven), 4));
    if (!std::isfinite(value))
        throw overflow();
    if (value == 0.0)
        return 0.0;
    return parts.negative ? -value : value;
}

std::string formatNumber(double value, std::string_view mask)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    // Decimals of the mask: '0's are always printed, '#'s only when not trailing zeros.
    int minDecimals = 0, maxDecimals = 0;
    std::size_t point = mask.find('.');
    if (point != std::string_view::npos) {
        for (char c : mask.substr(point + 1)) {
            if (c == '0') {
                ++minDecimals;
                ++maxDecimals;
            } else if (c == '#') {
                ++maxDecimals;
            }
        }
    }
    if (maxDecimals <= kWholeMaskDecimals && std::fabs(value) < kWholeMaskLimit)
        return wholeNumberMaskText(value, minDecimals, maxDecimals);
    Decimal d;
    int exponent = 0;
    scientificDigits(value, 15, d.digits, exponent);
    d.pointPos = exponent + 1;
    std::string text = decimalText(roundDecimal(d, maxDecimals, Halves::AwayFromZero), maxDecimals);
    if (maxDecimals > 0) {
        std::size_t dot = text.find('.');
        std::size_t end = text.size();
        while (end > dot + 1 + static_cast<std::size_t>(minDecimals) && text[end - 1] == '0')
            --end;
        text.resize(end);
        if (text.back() == '.')
            text.pop_back();
    }
    if (value < 0 && !allZeroDigits(text))
        text.insert(text.begin(), '-');
    return text;
}

std::string signedText(double value)
{
    const std::string sign = value < 0 ? "-" : " ";
    if (std::isnan(value))
        return " NaN";
    if (std::isinf(value))
        return sign + "Infinity";
    if (value == 0)
        return " 0";
    std::string digits;
    int exponent = 0;
    scientificDigits(value, 15, digits, exponent);
    if (!roundTrips(value, digits, exponent))
        scientificDigits(value, 17, digits, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string body;
    if (exponent >= 21 || exponent < -20) {
        body = digits.substr(0, 1);
        if (digits.size() > 1)
            body += "." + digits.substr(1);
        body += exponent < 0 ? "E-" : "E+";
        body += std::to_string(exponent < 0 ? -exponent : exponent);
    } else if (exponent < 0) {
        body = "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            body = digits + std::string(whole - digits.size(), '0');
        } else {
            body = digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return sign + body;
}

} // namespace bidmark
