#include "editor/offerlist.h"

#include <gtest/gtest.h>

#include "core/linefile.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using bidmark::test::elevenLines;
using bidmark::test::kArvo;
using bidmark::test::kPekka;
using bidmark::test::views;

namespace {

const std::vector<std::string> kEleven = elevenLines();

// Rows of the eleven-line example: 1 Arvo, 2 TOR's offer, 5 Pekka, 6 DAL's
// offer, 9 Jonas's signed line.
DoubleClick click(OfferList& offers, std::size_t row, bool signing = true)
{
    return doubleClickPlayerList(offers, views(kEleven), row, signing);
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

TEST(OfferList, SaveWritesWhatTheListShows)
{
    test::TempDir dir;
    dir.writeLines("fa.txt", elevenLines());
    saveOfferList(dir.path(), "TOR", OfferList{});
    EXPECT_FALSE(dir.exists("TOR.txt")); // nothing to write, no file to replace
    saveOfferList(dir.path(), "TOR", OfferList{{"a", "b", "c"}, false});
    EXPECT_EQ(dir.read("TOR.txt"), "a\r\nb\r\nc\r\n");

    // An earlier offer the list showed is dropped once a merge has taken it
    // (here: TOR's offer for Arvo stands in fa.txt, the file is gone).
    const std::string merged = kArvo + "<TOR> 1.5/3 +0.25 top line role";
    const std::string unmerged = kPekka + "<TOR> 0.5/1 ";
    dir.writeLines("TOR.txt", {merged, unmerged});
    saveOfferList(dir.path(), "TOR", OfferList{{unmerged, "new"}, false}, {unmerged});
    EXPECT_EQ(dir.read("TOR.txt"), unmerged + "\r\nnew\r\n");
    deleteFile(dir.file("TOR.txt"));
    saveOfferList(dir.path(), "TOR", OfferList{{unmerged, "new"}, false}, {unmerged});
    EXPECT_EQ(dir.read("TOR.txt"), "new\r\n");
    saveOfferList(dir.path(), "TOR", OfferList{}); // every line removed: the file is emptied
    EXPECT_EQ(dir.read("TOR.txt"), "");
    EXPECT_EQ(offerFileCreatedMessage("TOR"), "TOR.txt created, Mail it now!");
}

TEST(OfferList, NoOfferForASignedPlayer)
{
    const std::vector<std::string_view> lines = views(kEleven);
    EXPECT_EQ(playerBlock(lines, 1), (std::vector<std::string>{kEleven[1], kEleven[2], kEleven[3]}));
    EXPECT_EQ(alreadySigned(playerBlock(lines, 1)), std::nullopt);
    EXPECT_EQ(alreadySigned(playerBlock(lines, 8)), "Jonas Brandt is already signed.");
}
