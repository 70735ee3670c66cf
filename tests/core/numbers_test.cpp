#include "core/numbers.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/failure.h"

using namespace bidmark;

TEST(NumberValue, ReadsTheLongestNumberPrefix)
{
    EXPECT_EQ(numberValue("1.5M"), 1.5);
    EXPECT_EQ(numberValue("  -3.25abc"), -3.25);
    EXPECT_EQ(numberValue(""), 0);
    EXPECT_EQ(numberValue("abc"), 0);
    EXPECT_EQ(numberValue("1e3"), 1000);
    EXPECT_EQ(numberValue("1E-2"), 0.01);
    EXPECT_EQ(numberValue("2D2"), 200);
    EXPECT_EQ(numberValue("1e"), 1);
    EXPECT_EQ(numberValue("1e+"), 1);
    EXPECT_EQ(numberValue("1 2"), 12);
    EXPECT_EQ(numberValue("\t 7"), 7);
    EXPECT_EQ(numberValue("1,234"), 1);
    EXPECT_EQ(numberValue("1.2.3"), 1.2);
    EXPECT_EQ(numberValue(".5"), 0.5);
    EXPECT_EQ(numberValue("+.5x"), 0.5);
    EXPECT_EQ(numberValue("-"), 0);
    EXPECT_EQ(numberValue("."), 0);
    EXPECT_EQ(numberValue(" 5"), 5);
    EXPECT_EQ(numberValue("71"), 71);
    EXPECT_FALSE(std::signbit(numberValue("-0")));
}

TEST(NumberValue, WholeNumbersEndWhereTheDigitsStop)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {{"007", 7},          {"74x", 74},   {"12,5", 12},  {"74 ", 74},    {"7 4", 74},
                 {"74.", 74},         {"74.5", 74.5}, {"7e1", 70},  {"7D1", 70},    {"0", 0},
                 {"999999999999999", 999999999999999.0}, {"9999999999999999", 9999999999999999.0},
                 {"12345678901234567890", 12345678901234567890.0}};
    for (const auto& each : cases)
        EXPECT_EQ(numberValue(each.text), each.value) << each.text;
}

TEST(NumberValue, SurvivesHugeAndJunkInput)
{
    EXPECT_TRUE(std::isinf(numberValue("1e999999999999999999")));
    EXPECT_EQ(numberValue("1e-999999999"), 0);
    std::string digits(10'000'000, '9');
    EXPECT_TRUE(std::isinf(numberValue(digits)));
    std::string junk;
    for (int i = 0; i < 256; ++i)
        junk += static_cast<char>(i);
    EXPECT_EQ(numberValue(junk), 0);
}

TEST(IsNumeric, AcceptsOneNumberWithCommaGroups)
{
    for (const char* yes : {"5", " 5 ", "+5", "-5", "12,00,000", "1,", "1,234.5", ".5", "5.", "1e3", "1E-3",
                            "2.5e+10", "  -0.25  "})
        EXPECT_TRUE(isNumeric(yes)) << yes;
    for (const char* no : {"", "   ", ".", ",5", "1.234.5", "1.5M", "- 5", "5-", "1e", "1e+", "1d3", "1.,5",
                           "\t5", "5 5", "$5", "1,,2"})
        EXPECT_FALSE(isNumeric(no)) << no;
}

TEST(MoneyValue, RoundsToFourDecimalsHalvesToEven)
{
    EXPECT_EQ(moneyValue("   850000", "salary"), 850000);
    EXPECT_EQ(moneyValue("1,200,000", "salary"), 1200000);
    EXPECT_EQ(moneyValue("1.5", "x"), 1.5);
    EXPECT_EQ(moneyValue("0.00005", "x"), 0);
    EXPECT_EQ(moneyValue("0.00015", "x"), 0.0002);
    EXPECT_EQ(moneyValue("0.000250001", "x"), 0.0003);
    EXPECT_EQ(moneyValue("-0.00015", "x"), -0.0002);
    EXPECT_EQ(moneyValue("1.23456", "x"), 1.2346);
    EXPECT_EQ(moneyValue("9.99995", "x"), 10);
    EXPECT_EQ(moneyValue("2.5e-1", "x"), 0.25);
    EXPECT_EQ(moneyValue("1e3", "x"), 1000);
    EXPECT_EQ(moneyValue(" +7 ", "x"), 7);
    EXPECT_FALSE(std::signbit(moneyValue("-0.00001", "x")));
}

TEST(MoneyValue, PlainDigitsReadAsTheyStand)
{
    EXPECT_EQ(moneyValue("0004010000  ", "x"), 4010000);
    EXPECT_EQ(moneyValue("999999999999999", "x"), 999999999999999.0);
    EXPECT_EQ(moneyValue("1234567890123456", "x"), 1234567890123456.0);
    EXPECT_FALSE(std::signbit(moneyValue("-0", "x")));
}

TEST(MoneyValue, FailsOnWhatIsNotANumber)
{
    for (const char* bad : {"", "   ", "1.5M", "abc", ",5", "1.2.3", "12 34", "\t5", "5\t"}) {
        try {
            moneyValue(bad, "salary of Arvo");
            ADD_FAILURE() << "accepted " << bad;
        } catch (const Failure& failure) {
            EXPECT_EQ(std::string(failure.what()),
                      std::string("Not a number: \"") + bad + "\" (salary of Arvo)");
        }
    }
    EXPECT_THROW(moneyValue("1e999999", "x"), Failure);
    EXPECT_EQ(moneyValue("1e-999999", "x"), 0);
}

TEST(FormatNumber, MaskWithThreeDecimals)
{
    EXPECT_EQ(formatNumber(1, "0.0##"), "1.0");
    EXPECT_EQ(formatNumber(1.25, "0.0##"), "1.25");
    EXPECT_EQ(formatNumber(0.1234, "0.0##"), "0.123");
    EXPECT_EQ(formatNumber(2, "0.0##"), "2.0");
    EXPECT_EQ(formatNumber(.5, "0.0##"), "0.5");
    EXPECT_EQ(formatNumber(1.23456, "0.0##"), "1.235");
    EXPECT_EQ(formatNumber(1.5, "0.0##"), "1.5");
    EXPECT_EQ(formatNumber(0.75, "0.0##"), "0.75");
    EXPECT_EQ(formatNumber(0.0005, "0.0##"), "0.001");
    EXPECT_EQ(formatNumber(0.9995, "0.0##"), "1.0");
    EXPECT_EQ(formatNumber(12345678, "0.0##"), "12345678.0");
    EXPECT_EQ(formatNumber(1.1 + 2.2, "0.0##"), "3.3");
}

TEST(FormatNumber, MaskWithTwoDecimalsRoundsTheDecimalText)
{
    EXPECT_EQ(formatNumber(2.125, "0.0#"), "2.13");
    EXPECT_EQ(formatNumber(845000 / 1000000.0, "0.0#"), "0.85");
    EXPECT_EQ(formatNumber((6.6 + 6.05) / 2, "0.0#"), "6.33");
    EXPECT_EQ(formatNumber(-0.001, "0.0#"), "0.0");
    EXPECT_EQ(formatNumber(-0.0, "0.0#"), "0.0");
    EXPECT_EQ(formatNumber(1.788, "0.0#"), "1.79");
    EXPECT_EQ(formatNumber(0, "0.0#"), "0.0");
    EXPECT_EQ(formatNumber(-1.5, "0.0#"), "-1.5");
    EXPECT_EQ(formatNumber(-2.125, "0.0#"), "-2.13");
    EXPECT_EQ(formatNumber(9.995, "0.0#"), "10.0");
    EXPECT_EQ(formatNumber(0.005, "0.0#"), "0.01");
    EXPECT_EQ(formatNumber(0.004999, "0.0#"), "0.0");
}

TEST(FormatNumber, OtherMasksAndTheEdgeOfFifteenDigits)
{
    const struct {
        double value;
        const char* mask;
        const char* text;
    } cases[] = {{99.995, "0.00", "100.00"},        {99.995, "#.##", "100"},
                 {0.005, "0", "0"},                 {0.9995, "0.0###", "0.9995"},
                 {-2.5, "0", "-3"},                 {999999999999999.38, "0.0#", "999999999999999.0"},
                 {999999999999999.62, "0.0#", "1000000000000000.0"},
                 {1e15, "0.00", "1000000000000000.00"}, {-1e-320, "0.0#", "0.0"}};
    for (const auto& each : cases)
        EXPECT_EQ(formatNumber(each.value, each.mask), each.text) << each.value << " " << each.mask;
}

TEST(FormatNumber, HugeAndNonFiniteValuesGiveText)
{
    std::string huge = formatNumber(1e300, "0.0#");
    EXPECT_EQ(huge.size(), 301u + 2u);
    EXPECT_EQ(huge.substr(0, 16), "1000000000000000");
    EXPECT_EQ(formatNumber(-1e300, "0.0##").front(), '-');
    EXPECT_FALSE(formatNumber(std::numeric_limits<double>::infinity(), "0.0#").empty());
    EXPECT_FALSE(formatNumber(std::nan(""), "0.0#").empty());
    EXPECT_EQ(formatNumber(1e-300, "0.0##"), "0.0");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::denorm_min(), "0.0##"), "0.0");
}

TEST(SignedText, BlankOrMinusThenShortestForm)
{
    EXPECT_EQ(signedText(74), " 74");
    EXPECT_EQ(signedText(0.5), " .5");
    EXPECT_EQ(signedText(-3), "-3");
    EXPECT_EQ(signedText(0), " 0");
    EXPECT_EQ(signedText(-0.0), " 0");
    EXPECT_EQ(signedText(-0.25), "-.25");
    EXPECT_EQ(signedText(1.5), " 1.5");
    EXPECT_EQ(signedText(0.1 + 0.2), " .30000000000000004");
    EXPECT_EQ(signedText(1.1 * 1.1), " 1.2100000000000002");
    EXPECT_EQ(signedText(0.001), " .001");
    EXPECT_EQ(signedText(0.00001), " .00001");
    EXPECT_EQ(signedText(1234567.25), " 1234567.25");
    EXPECT_EQ(signedText(1e15), " 1000000000000000");
    EXPECT_EQ(signedText(2.0 / 3.0), " .66666666666666663");
    EXPECT_FALSE(signedText(1e300).empty());
    EXPECT_FALSE(signedText(std::nan("")).empty());
    EXPECT_FALSE(signedText(-std::numeric_limits<double>::infinity()).empty());
}
