#include <gtest/gtest.h>

#include <filesystem>

#include "core/failure.h"
#include "marketvalue/csvexport.h"
#include "marketvalue/valuetable.h"
#include "tests/marketvalue/examplevalues.h"
#include "tests/support/system.h"
#include "tests/support/tempdir.h"

using namespace bidmark;
using test::exampleValues;
using test::freeAgent;

namespace {
using Records = std::vector<std::vector<std::string>>;

// A strict RFC 4180 reader: the byte-order mark, then records ended by CR LF
// whose fields are bare (no quote, comma, CR or LF) or quoted with doubled
// quotes inside. Anything else fails the test.
Records readCsv(const std::string& text)
{
    EXPECT_EQ(text.rfind(kUtf8ByteOrderMark, 0), 0u) << "no byte-order mark";
    Records records;
    std::vector<std::string> record;
    std::string field;
    std::size_t at = kUtf8ByteOrderMark.size();
    while (at < text.size()) {
        if (text[at] == '"') {
            for (++at;; ++at) {
                if (at >= text.size()) {
                    ADD_FAILURE() << "unclosed quote";
                    return records;
                }
                if (text[at] == '"' && text.compare(at, 2, "\"\"") == 0)
                    field += text[at++];
                else if (text[at] == '"')
                    break;
                else
                    field += text[at];
            }
            ++at;
        } else {
            while (at < text.size() && std::string(",\r\n\"").find(text[at]) == std::string::npos)
                field += text[at++];
        }
        record.push_back(std::move(field));
        field.clear();
        if (text.compare(at, 2, "\r\n") == 0) {
            records.push_back(std::move(record));
            record.clear();
            at += 2;
        } else if (at < text.size() && text[at] == ',') {
            ++at;
        } else {
            ADD_FAILURE() << "stray byte at " << at;
            return records;
        }
    }
    EXPECT_TRUE(record.empty()) << "last record without CR LF";
    return records;
}

// Names that need quoting or UTF-8: a quote, a comma, accents, the euro sign
// (0x80 in Windows-1252).
MarketValues awkwardValues()
{
    return exampleValues({freeAgent("Jean \"JJ\" C\xF4t\xE9", 25, 1.2, 'F', 74),
                          freeAgent("Smith, John", 24, 0.8, 'F', 73),
                          freeAgent("\xC6r\xF8 \x80uro", 26, 2.5, 'D', 70)});
}
} // namespace

TEST(Csv, ParserReadsTheTableBackWithQuotesCommasAndAccents)
{
    const MarketValues values = awkwardValues();
    const Records records = readCsv(valuesCsv(values, {2, 0, 1}));
    ASSERT_EQ(records.size(), 4u);
    for (int column = 0; column < kValueColumns; ++column)
        EXPECT_EQ(records[0][static_cast<std::size_t>(column)], valueColumnTitle(column));
    const std::string names[] = {"\xC3\x86r\xC3\xB8 \xE2\x82\xACuro", "Jean \"JJ\" C\xC3\xB4t\xC3\xA9",
                                 "Smith, John"};
    const std::size_t order[] = {2, 0, 1};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::vector<std::string>& record = records[i + 1];
        ASSERT_EQ(record.size(), static_cast<std::size_t>(kValueColumns));
        EXPECT_EQ(record[kNameColumn], names[i]);
        for (int column = kAgeColumn; column < kRuleColumn; ++column)
            EXPECT_EQ(record[static_cast<std::size_t>(column)], valueCell(values, values.rows[order[i]], column));
    }
    EXPECT_EQ(records[2][kRuleColumn], "bracket average");
    EXPECT_EQ(records[1][kRuleColumn], "last salary \xC3\x97 factor");
}

TEST(Csv, BracketsFileListsEveryEntryUnderItsFreeAgent)
{
    const MarketValues values = awkwardValues();
    const Records records = readCsv(bracketsCsv(values, {0, 1, 2}));
    const Records expected{
        {"Free agent", "Name", "Team", "Pos", "Age", "OV", "Salary", "Same OV"},
        {"Jean \"JJ\" C\xC3\xB4t\xC3\xA9", "Aaro Aalto", "TOR", "F", "25", "72", "1.0", ""},
        {"Jean \"JJ\" C\xC3\xB4t\xC3\xA9", "Bert Berg", "NY", "F", "26", "75", "2.0", ""},
        {"Jean \"JJ\" C\xC3\xB4t\xC3\xA9", "Cid Carr", "TOR", "F", "23", "76", "3.0", ""},
        {"Smith, John", "Aaro Aalto", "TOR", "F", "25", "72", "1.0", ""},
        {"Smith, John", "Bert Berg", "NY", "F", "26", "75", "2.0", ""},
        {"Smith, John", "Cid Carr", "TOR", "F", "23", "76", "3.0", ""},
        {"\xC3\x86r\xC3\xB8 \xE2\x82\xACuro", "Dan Dahl", "NY", "D", "25", "71", "0.5", ""},
    };
    EXPECT_EQ(records, expected);
}

// Text a spreadsheet would run as a formula gets a leading "'"; numbers,
// negative ones too, stay numbers.
TEST(Csv, FormulaTextIsDefused)
{
    const std::vector<std::string> fields = {"=cmd|' /C calc'!A0", "+1+1", "-x", "@SUM(A1)", "\tTab", "\rCR",
                                             "-1.5", "+3", "a=b", ""};
    const Records records = readCsv(std::string(kUtf8ByteOrderMark) + csvRecord(fields));
    const std::vector<std::string> expected = {"'=cmd|' /C calc'!A0", "'+1+1", "'-x", "'@SUM(A1)", "'\tTab",
                                               "'\rCR", "-1.5", "+3", "a=b", ""};
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], expected);
}

TEST(Csv, ExportWritesOnlyCsvFilesAndNoLeagueFile)
{
    MarketValues values = awkwardValues();
    values.rows[0].offerLines = "<TOR> 2.5/4 +1.0 \r\n";
    test::TempDir dir;
    exportCsv(dir.path(), dir.file("values.CSV"), values, {1, 0}, true);
    EXPECT_EQ(dir.read("values.CSV"), valuesCsv(values, {1, 0}));
    EXPECT_NE(dir.read("values.CSV").find(",1,TOR 2.5/4 +1.0,"), std::string::npos);
    EXPECT_EQ(dir.read("values-brackets.CSV"), bracketsCsv(values, {1, 0}));

    dir.write("marketVal.txt", "earlier values\r\n");
    dir.write("fa.txt", "free agents\r\n");
    std::vector<std::string> refused = {"marketVal.txt", "fa.txt", "csv", "values.csv.txt"};
    if (test::hasPosix()) { // brackets written through a link that leads to a league file
        std::filesystem::create_symlink(test::fsPath(dir.file("fa.txt")), test::fsPath(dir.file("link-brackets.csv")));
        refused.push_back("link.csv");
    }
    for (const std::string& name : refused)
        EXPECT_THROW(exportCsv(dir.path(), dir.file(name), values, {0}, true), Failure) << name;
    EXPECT_EQ(dir.read("marketVal.txt"), "earlier values\r\n");
    EXPECT_EQ(dir.read("fa.txt"), "free agents\r\n");
    EXPECT_FALSE(dir.exists("link.csv")); // the first file is not written either
}
