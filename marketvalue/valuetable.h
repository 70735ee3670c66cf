#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "marketvalue/values.h"

// The market values table and a free agent's bracket list as text: the cells
// the window shows and the CSV export writes, in Windows-1252 bytes. The
// table's numbers read exactly as marketVal.txt writes them; a bracket's
// salaries are given to the thousand dollars.
namespace bidmark {

// The table's columns: marketVal.txt's, the offers standing in fa.txt (how
// many teams offer, and the best offer or, for a signed player, "signed" and
// his contract), then the rule that made the value.
enum ValueColumn : int {
    kNameColumn,
    kAgeColumn,
    kGroupColumn,
    kOverallColumn,
    kCountColumn,
    kHighColumn,
    kLowColumn,
    kAverageColumn,
    kLastSalaryColumn,
    kMarketValueColumn,
    kOffersColumn,
    kBestOfferColumn,
    kRuleColumn,
    kValueColumns
};

// A name key without the blanks that pad it to 20 characters.
std::string displayName(const std::string& nameKey);

std::string_view valueColumnTitle(int column);
bool isNumberColumn(int column);
std::string valueCell(const MarketValues& values, const ValueRow& row, int column);
// The rows (indices into values.rows) in the column's order, up or down:
// numbers by value (the best offer by its salary, none lowest), names by
// their letters with case ignored, the rule by its name; rows whose cells
// sort alike keep fa.txt order. Column -1: fa.txt order.
std::vector<std::size_t> sortedRows(const MarketValues& values, int column, bool descending);

// "bracket average", "last salary × factor" or "rookie cap".
std::string_view ruleName(ValueRule rule);

// Whose bracket it is and what it holds, in one sentence.
std::string bracketCaption(const MarketValues& values, const ValueRow& row);

// How the row's market value came about, and how the best offer compares
// with it, in a few sentences.
std::string valueExplanation(const MarketValues& values, const ValueRow& row);

// The columns of a bracket entry.
enum BracketColumn : int {
    kEntryNameColumn,
    kEntryTeamColumn,
    kEntryGroupColumn,
    kEntryAgeColumn,
    kEntryOverallColumn,
    kEntrySalaryColumn,
    kEntrySameColumn,
    kBracketColumns
};

std::string_view bracketColumnTitle(int column);
// The entries of the free agent's exact overall, which can raise the average.
bool sameOverall(const RosterEntry& entry, const FreeAgent& agent);
std::string bracketCell(const RosterEntry& entry, const FreeAgent& agent, int column);

} // namespace bidmark
