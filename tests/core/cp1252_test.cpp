#include "core/cp1252.h"

#include <gtest/gtest.h>

using namespace bidmark;

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    std::u16string text = decode1252(all);
    ASSERT_EQ(text.size(), 256u);
    auto back = encode1252(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, HighBlockUsesTheCodePageCharacters)
{
    EXPECT_EQ(decode1252("\x80"), u"\u20AC");
    EXPECT_EQ(decode1252("\x8A\x8C\x8E\x9A\x9C\x9E\x9F"), u"\u0160\u0152\u017D\u0161\u0153\u017E\u0178");
    EXPECT_EQ(decode1252("\x91\x92\x93\x94\x96\x97\x99"), u"\u2018\u2019\u201C\u201D\u2013\u2014\u2122");
    EXPECT_EQ(decode1252("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(decode1252("\xE9\xFF"), u"\u00E9\u00FF");
    EXPECT_EQ(decode1252(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Cp1252, RefusesCharactersWithoutAByte)
{
    EXPECT_EQ(encode1252(u"\u20AC5"), std::optional<std::string>("\x80" "5"));
    EXPECT_FALSE(encode1252(u"\u0080").has_value()); // C1 control that the page gives to the euro
    EXPECT_FALSE(encode1252(u"\u0100").has_value());
    EXPECT_FALSE(encode1252(u"\u4E2D").has_value());
    EXPECT_FALSE(encode1252(std::u16string(1, char16_t(0xD83D))).has_value()); // lone surrogate
    EXPECT_FALSE(encode1252(u"ok \U0001F600").has_value());
    EXPECT_EQ(encode1252(u""), std::optional<std::string>(""));
}
