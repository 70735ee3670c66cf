#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/path.h"
#include "marketvalue/values.h"

// The market values as spreadsheet files: RFC 4180 records (fields separated
// by commas, each record ended by CR LF, a field holding a comma, a quote, CR
// or LF put in quotes with its quotes doubled), in UTF-8 after a byte-order
// mark so that spreadsheet programs show accented names right. A text field
// that a spreadsheet would run as a formula (beginning with "=", "+", "-",
// "@", a tab or CR, and no number) is written after a "'"; numbers stay
// numbers. Nothing here touches the league's own files.
namespace bidmark {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One record of Windows-1252 fields, in UTF-8, ended by CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

// The table's header and the given rows (indices into values.rows), in that
// order, with the table's cells.
std::string valuesCsv(const MarketValues& values, const std::vector<std::size_t>& rows);
// A header, then one record per bracket entry of each given row: the free
// agent's name, then the entry's cells.
std::string bracketsCsv(const MarketValues& values, const std::vector<std::size_t>& rows);

// "values.csv" gives "values-brackets.csv".
Path bracketsCsvPath(const Path& valuesPath);

// Writes valuesCsv to the path, and bracketsCsv beside it when asked, each
// file whole or not at all. Only a name ending in ".csv" (case ignored) is
// written, and neither file may take the place of a league file of the
// folder (links followed): otherwise Failure, with nothing written.
void exportCsv(const Path& leagueFolder, const Path& path, const MarketValues& values,
               const std::vector<std::size_t>& rows, bool withBrackets);

} // namespace bidmark
