#include "core/filenames.h"

#include <gtest/gtest.h>

using namespace bidmark;

TEST(FileNames, LeagueTextAndFileSystemSpellingsMeet)
{
    struct Case {
        std::string leagueText, spelled;
    };
    const Case cases[] = {
        {"TOR.txt", "TOR.txt"},
        {"Montr\xE9""al.txt", "Montr\xC3\xA9""al.txt"},
        {"\x80 \x9F \xFF", "\xE2\x82\xAC \xC5\xB8 \xC3\xBF"},
        {"\x81", "\xC2\x81"}, // a byte the code page leaves undefined
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileSystemName(c.leagueText), c.spelled);
        EXPECT_EQ(leagueTextOfName(c.spelled), c.leagueText);
        EXPECT_EQ(shownPath(c.spelled), c.leagueText);
        EXPECT_EQ(pathOfUtf16(utf16OfPath(c.spelled)), c.spelled);
    }
    // A raw Windows-1252 name (no UTF-8 in it) is read byte for byte.
    EXPECT_EQ(leagueTextOfName("Montr\xE9""al.txt"), "Montr\xE9""al.txt");
    EXPECT_EQ(utf16OfPath("Montr\xE9""al.txt"), u"Montr\u00E9al.txt");
    EXPECT_EQ(utf16OfPath("\xC3\xA9\xC3"), u"\u00E9\u00C3"); // a cut-off character
    EXPECT_EQ(utf16OfPath("\xF5\x80\x80 \xE0\x80\xAF"), u"\u00F5\u20AC\u20AC \u00E0\u20AC\u00AF"); // no lead, over-long
    // Characters Windows-1252 cannot store.
    EXPECT_EQ(leagueTextOfName("\xC5\x81\xC3\xB3""d\xC5\xBA"), std::nullopt);
    EXPECT_EQ(shownPath("/league/\xC5\x81\xC3\xB3""d\xC5\xBA/fa.txt"), "/league/?\xF3""d?/fa.txt");
    EXPECT_EQ(utf16OfPath("\xF0\x9F\x8F\x92"), u"\U0001F3D2");
    EXPECT_EQ(pathOfUtf16(u"\U0001F3D2"), "\xF0\x9F\x8F\x92");
    EXPECT_EQ(shownPath("\xF0\x9F\x8F\x92"), "?");
}
