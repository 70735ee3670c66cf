#include "core/text.h"

#include <string>

#include <gtest/gtest.h>

using namespace bidmark;

TEST(LowerCase, MapsWindows1252Letters)
{
    EXPECT_EQ(lowerCase("ABC xyz 123"), "abc xyz 123");
    EXPECT_EQ(lowerCase("\xC0\xD6\xD7\xD8\xDE\xDF"), "\xE0\xF6\xD7\xF8\xFE\xDF");
    EXPECT_EQ(lowerCase("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
    EXPECT_EQ(lowerCase(std::string("\0A", 2)), std::string("\0a", 2));
}

TEST(TextParts, CountsPastTheEndStop)
{
    EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(mid("abcdef", 7, 1), "");
    EXPECT_EQ(mid("abcdef", 6, 1), "f");
    EXPECT_EQ(mid("", 1, 1), "");
    EXPECT_EQ(leftPart("abc", 2), "ab");
    EXPECT_EQ(leftPart("abc", 9), "abc");
    EXPECT_EQ(rightPart("abc", 2), "bc");
    EXPECT_EQ(rightPart("abc", 9), "abc");
    EXPECT_EQ(rightPart("abc", 0), "");
}
