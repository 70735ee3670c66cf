#include "editor/offerlist.h"

#include <gtest/gtest.h>

#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/support/questions.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::elevenLines;

namespace {

const std::string kArvo = "Arvo Lindqvist      ";
const std::string kPekka = "Pekka Roine         ";

// Rows of the eleven-line example: 1 Arvo, 2 TOR's offer, 5 Pekka, 6 DAL's
// offer, 9 Jonas's signed line.
DoubleClick click(OfferList& offers, std::size_t row, bool signing = true)
{
    return doubleClickPlayerList(offers, elevenLines(), row, signing);
}

} // namespace

TEST(OfferList, TeamModeOpensTheContractDialogOnPlayerLinesOnly)
{
    OfferList offers;
    EXPECT_EQ(click(offers, 1, false), DoubleClick::OpenContractDialog);
    EXPECT_EQ(click(offers, 2, false), DoubleClick::Nothing);
    EXPECT_EQ(click(offers, 0, false), DoubleClick::Nothing);
    EXPECT_TRUE(offers.entries.empty());
}

TEST(OfferList, SigningPairsAPlayerWithAContractOfHisBlock)
{
    OfferList offers;
    EXPECT_EQ(signingPrompt(offers), kSelectPlayerPrompt);
    click(offers, 6); // a contract before any player: ignored
    click(offers, 5);
    EXPECT_EQ(offers.entries, std::vector<std::string>{kPekka});
    EXPECT_EQ(signingPrompt(offers), kSelectContractPrompt);
    click(offers, 1); // another player while a contract is awaited: nothing
    click(offers, 6);
    EXPECT_EQ(offers.entries, std::vector<std::string>{kPekka + "<SIGNED> <DAL> 0.75/2 backup to start"});
    EXPECT_EQ(signingPrompt(offers), kSelectPlayerPrompt);
}

TEST(OfferList, RefusesAContractOfAnotherPlayersBlock)
{
    OfferList offers;
    click(offers, 1);
    EXPECT_EQ(click(offers, 6), DoubleClick::ContractRefused);
    EXPECT_EQ(offers.entries, std::vector<std::string>{kArvo});
    EXPECT_EQ(signingPrompt(offers), kSelectContractPrompt);
    EXPECT_EQ(click(offers, 2), DoubleClick::Nothing);
    EXPECT_EQ(offers.entries.back(), kArvo + "<SIGNED> <TOR> 1.5/3 +0.25 top line role");
}

TEST(OfferList, RemovingThePendingEntryStartsThePairingOver)
{
    OfferList offers;
    click(offers, 5);
    click(offers, 6);
    click(offers, 1);
    removeEntry(offers, 0);
    EXPECT_EQ(signingPrompt(offers), kSelectContractPrompt);
    removeEntry(offers, 0);
    EXPECT_TRUE(offers.entries.empty());
    EXPECT_EQ(signingPrompt(offers), kSelectPlayerPrompt);
    EXPECT_EQ(click(offers, 6), DoubleClick::Nothing);
    EXPECT_TRUE(offers.entries.empty());
}

TEST(OfferList, SaveWritesEntriesOnlyWhenThereAreAny)
{
    test::TempDir dir;
    dir.write("TOR.txt", "earlier\r\n");
    saveOfferList(dir.path(), "TOR", OfferList{});
    EXPECT_EQ(dir.read("TOR.txt"), "earlier\r\n");
    saveOfferList(dir.path(), "TOR", OfferList{{"a", "b", "c"}, false});
    EXPECT_EQ(dir.read("TOR.txt"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(offerFileCreatedMessage("TOR"), "TOR.txt created, Mail it now!");
}

TEST(OfferList, EarlierOffersAreTheFileLinesTheListDoesNotHold)
{
    struct Case {
        const char* name;
        const char* file; // nullptr: no TOR.txt
        std::vector<std::string> entries, earlier;
    };
    const Case cases[] = {
        {"no file", nullptr, {"a"}, {}},
        {"empty list: nothing is written, nothing asked", "a\r\n", {}, {}},
        {"every line in the list", "a\r\nb\r\n", {"b", "a"}, {}},
        {"lines not in the list, in file order", "c\r\na\r\nb\r\n", {"a"}, {"c", "b"}},
        {"empty lines are no offers", "\r\nc\r\n\r\n", {"a"}, {"c"}},
        {"a trailing blank makes another line", "a \r\n", {"a"}, {"a "}},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        if (c.file)
            dir.write("TOR.txt", c.file);
        EXPECT_EQ(earlierOffers(dir.path(), "TOR", OfferList{c.entries, false}), c.earlier) << c.name;
    }
}

TEST(OfferList, KeptEarlierOffersComeBeforeTheList)
{
    test::TempDir dir;
    saveOfferList(dir.path(), "TOR", OfferList{{"a", "b"}, false}, {"old 1", "old 2"});
    EXPECT_EQ(dir.read("TOR.txt"), "old 1\r\nold 2\r\na\r\nb\r\n");
    EXPECT_EQ(keepEarlierOffersQuestion("TOR", 3),
              "TOR.txt already holds 3 offers that are not in your list. Keep them?");
    EXPECT_EQ(keepEarlierOffersQuestion("NY", 1), "NY.txt already holds 1 offer that is not in your list. Keep it?");
}

// Done asks whether to keep the offers an earlier Done saved; the file is
// read again under the lock, so a merge that took it while the question was
// open has nothing merged twice.
TEST(OfferList, DoneKeepsEarlierOffersAsAnsweredAndAsTheFileHoldsThem)
{
    const std::string offer = "Arvo Lindqvist      <TOR> 1.0/1 ";
    const std::vector<std::string> earlier = {"Pekka Roine         <TOR> 0.75/1 ", "Jonas Brandt        <TOR> <RETRACT>"};
    const struct {
        const char* name;
        std::optional<bool> answer;
        bool mergedMeanwhile;
        std::vector<std::string> written;
    } cases[] = {
        {"yes", true, false, {earlier[0], earlier[1], offer}},
        {"yes, merged meanwhile", true, true, {offer}},
        {"no", false, false, {offer}},
        {"cancel", std::nullopt, false, {earlier[0], earlier[1], offer}}, // as it was
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        dir.writeLines("TOR.txt", {earlier[0], earlier[1], offer});
        test::Answers answers({c.answer});
        answers.meanwhile = [&] {
            if (c.mergedMeanwhile)
                deleteFile(dir.file("TOR.txt")); // as the merge leaves it
        };
        Recovered recovered;
        const auto said = saveTeamOffers(dir.path(), "TOR", OfferList{{offer}, false}, answers, recovered);
        EXPECT_EQ(said.has_value(), c.answer.has_value()) << c.name;
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0].text, "TOR.txt already holds 2 offers that are not in your list. Keep them?");
        EXPECT_EQ(splitLines(dir.read("TOR.txt")), c.written) << c.name;
    }
}
