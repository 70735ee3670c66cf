#include "marketvalue/leaguepage.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/linefile.h"
#include "tests/support/tempdir.h"

using namespace bidmark;

namespace {
std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

// A player named like markup, one with Windows-1252 letters and a control
// byte, one signed, and signed.txt with two merges.
LeaguePageFiles files()
{
    return {
        {"Player                 Age  Sts     Salary Pos OV",
         "<script>x</script>     24   UFA     850000  LW 71",
         "<TOR> 1.5/3 +0.25 a <b>bold</b> & role",
         "<NY> 1.0/1 ",
         "",
         "Zo\xEB \x80uro\x01 \xC5str\xF6m       22   RFA    1200000   G 80",
         "",
         "Jonas Brandt           31   UFA    2500000   D 76",
         "<SIGNED> <TOR> 2.5/4 +1.0 ",
         ""},
        {"Name                 Age Pos OV  #   High  Low   Avg   Last  M.V.",
         "<script>x</script>    24 F    71  3   3.0   1.0   2.0   0.85  2.25"},
        {"------ FA01 Signed Players----",
         "Old Signing            30   UFA    1000000   C 70",
         "<SIGNED> <DAL> 1.0/1 ",
         "------ FA02 <i>Week</i>----",
         "Benno Tamski           27   UFA    1660000   C 66",
         "<SIGNED> <TOR> 2.5/4 +1.0 "},
    };
}
} // namespace

TEST(LeaguePage, HoldsEveryFreeAgentOfferAndSigningAsText)
{
    const LeaguePage page = leaguePage(files(), {"VELD", "2026-12-07"});
    const std::string& html = page.html;
    EXPECT_EQ(page.freeAgents, 3u);
    EXPECT_EQ(page.signedPlayers, 1u); // under the last heading only
    EXPECT_EQ(count(html, "<script"), 1u); // the page's own
    EXPECT_NE(html.find("<td>&lt;script&gt;x&lt;/script&gt;</td>"), std::string::npos);
    EXPECT_NE(html.find("<li><b>TOR</b> 1.5/3 +0.25 a &lt;b&gt;bold&lt;/b&gt; &amp; role</li>"), std::string::npos);
    EXPECT_NE(html.find("<td>Zo\xC3\xAB \xE2\x82\xACuro\xEF\xBF\xBD \xC3\x85str\xC3\xB6m</td>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">0.85</td><td class=\"n\">2.25</td>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">1.2</td><td class=\"n\">\xE2\x80\x93</td>"), std::string::npos); // no value
    EXPECT_NE(html.find("<tr class=\"signed\"><td>Jonas Brandt</td>"), std::string::npos);
    EXPECT_NE(html.find("Merge: FA02 &lt;i&gt;Week&lt;/i&gt; \xC2\xB7 Published 2026-12-07"), std::string::npos);
    EXPECT_NE(html.find("<td>Benno Tamski</td><td>C</td><td class=\"n\">27</td><td class=\"n\">66</td>"
                        "<td><b>TOR</b> 2.5/4 +1.0 </td>"),
              std::string::npos);
    EXPECT_EQ(html.find("Old Signing"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos); // nothing is fetched
}

TEST(LeaguePage, WritesBesideTheLeagueFilesNeverOverThem)
{
    test::TempDir dir;
    const LeaguePageFiles league = files();
    dir.writeLines("fa.txt", league.freeAgents);
    dir.writeLines("signed.txt", league.signedPlayers);
    const LeaguePage page = writeLeaguePage(dir.path(), dir.file("page.html"), {"VELD", "2026-12-07"});
    EXPECT_EQ(dir.read("page.html"), page.html);
    writeLeaguePage(dir.path(), dir.file("page.html")); // again over its own page, today's date
    EXPECT_NE(dir.read("page.html").find("<h1>bidmark-test-"), std::string::npos) << "the folder's name is the league's";

    for (const char* name : {"fa.txt", "signed.txt", "teams.txt"})
        EXPECT_THROW(writeLeaguePage(dir.path(), dir.file(name)), Failure) << name;
    EXPECT_EQ(readLines(dir.file("fa.txt")), league.freeAgents);
    EXPECT_FALSE(dir.exists("teams.txt"));
}
