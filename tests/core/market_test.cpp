#include "core/market.h"

#include <gtest/gtest.h>

using namespace bidmark;

TEST(StandingOffers, ReadsOfferLinesAndNothingElse)
{
    const std::optional<StandingOffer> offer = readOffer("<TOR> 1.5/3 +0.25 top line role");
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->team, "TOR");
    EXPECT_EQ(offer->salary, 1.5);
    EXPECT_EQ(offer->years, "3");
    EXPECT_EQ(offer->bonus, "0.25");
    EXPECT_EQ(offerSummary(*offer), "TOR 1.5/3 +0.25");
    EXPECT_EQ(offerSummary(*readOffer("<NY> 1.0/1 ")), "NY 1.0/1");
    EXPECT_EQ(offerSummary(*readOffer("<New York> 0.75/2 +not a bonus")), "New York 0.75/2 +not");
    for (const char* other : {"<SIGNED> <TOR> 2.5/4 +1.0 ", "<TOR> <RETRACT>", "<TOR>", "TOR 1.5/3", "", "<TOR>1.5/3"})
        EXPECT_FALSE(readOffer(other)) << other;
}

// The free-agent list of the file format's worked example.
TEST(StandingOffers, BlockOffersBestAndSigned)
{
    const std::vector<std::string> lines = {
        "Players on the market",
        "Arvo Lindqvist         24   UFA     850000  LW 71",
        "<TOR> 1.5/3 +0.25 top line role",
        "<NY> 1.0/1 ",
        "<DAL> 1.5/2 ",
        "<NY> 1.75/1 second NY offer",
        "",
        "Pekka Roine            22   RFA    1200000   G 80",
        "",
        "Jonas Brandt           31   UFA    2500000   D 76",
        "<TOR> 2.5/4 +1.0 ",
        "<SIGNED> <TOR> 2.5/4 +1.0 ",
        "<BOS> 1.0/1 ",
        "<SIGNED>",
    };
    const PlayerOffers arvo = offersUnder(lines, 1);
    EXPECT_EQ(arvo.offers.size(), 4u);
    EXPECT_EQ(arvo.teams(), 3);
    EXPECT_EQ(arvo.best()->line, "<NY> 1.75/1 second NY offer");
    EXPECT_FALSE(arvo.isSigned());

    const PlayerOffers pekka = offersUnder(lines, 7);
    EXPECT_EQ(pekka.teams(), 0);
    EXPECT_EQ(pekka.best(), nullptr);

    const PlayerOffers jonas = offersUnder(lines, 9);
    ASSERT_TRUE(jonas.isSigned());
    EXPECT_EQ(offerSummary(*jonas.signedContract), "TOR 2.5/4 +1.0");
    EXPECT_EQ(jonas.teams(), 2); // offers below the signed line still stand

    // The same blocks as fa.txt's bytes, whatever their line ends.
    const PlayerOffers arvoBytes = offersIn("<TOR> 1.5/3 +0.25 top line role\r\n<NY> 1.0/1 \r<DAL> 1.5/2 \n"
                                            "<NY> 1.75/1 second NY offer\r\n");
    EXPECT_EQ(arvoBytes.offers.size(), 4u);
    EXPECT_EQ(arvoBytes.best()->line, "<NY> 1.75/1 second NY offer");
    EXPECT_EQ(offersIn("").teams(), 0);
    const PlayerOffers jonasBytes = offersIn("<TOR> 2.5/4 +1.0 \r\n<SIGNED> <TOR> 2.5/4 +1.0 \r\n<BOS> 1.0/1 \r\n<SIGNED>");
    ASSERT_TRUE(jonasBytes.isSigned());
    EXPECT_EQ(offerSummary(*jonasBytes.signedContract), "TOR 2.5/4 +1.0");
    EXPECT_EQ(jonasBytes.teams(), 2);
}

TEST(StandingOffers, SentenceAgainstTheValue)
{
    PlayerOffers offers;
    EXPECT_EQ(offersAgainstValue(offers, 2.0), "No team has an offer standing for him.");
    offers.offers = {*readOffer("<DAL> 1.0/2 "), *readOffer("<TOR> 2.5/4 ")};
    const struct {
        std::optional<double> value;
        const char* sentence;
    } cases[] = {
        {1.9, "The best offer, TOR 2.5/4, is 0.6 above his value."},
        {2.788, "The best offer, TOR 2.5/4, is 0.29 below his value."},
        {2.504, "The best offer, TOR 2.5/4, is his value."},
        {std::nullopt, "The best offer is TOR 2.5/4."},
    };
    for (const auto& each : cases)
        EXPECT_EQ(offersAgainstValue(offers, each.value), each.sentence);
    offers.signedContract = readOffer("<BOS> 3.0/2 +1.0 ");
    EXPECT_EQ(offersAgainstValue(offers, 2.0), "He has signed BOS 3.0/2 +1.0, 1.0 above his value.");
}

TEST(MarketValueFile, ValueOfAnEntry)
{
    const std::string line = "Arvo Lindqvist        24 F   74  3   3.0   1.0   2.0   1.2   2.0";
    EXPECT_TRUE(isMarketValueLine(line));
    EXPECT_EQ(entryMarketValue(line), 2.0);
    EXPECT_EQ(entryMarketValue("                                     3.0   1.0   2.0   1.2   12.35"), 12.35);
    EXPECT_FALSE(isMarketValueLine("Name                 Age Pos OV  #   High  Low   Avg   Last  M.V."));
}
