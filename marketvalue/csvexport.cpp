#include "marketvalue/csvexport.h"

#include "core/exporttarget.h"
#include "core/failure.h"
#include "core/filenames.h"
#include "core/linefile.h"
#include "core/numbers.h"
#include "core/text.h"
#include "marketvalue/valuetable.h"

namespace bidmark {

namespace {
constexpr std::string_view kCsvSuffix = ".csv";

bool needsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

// A spreadsheet runs a cell beginning with one of these as a formula.
bool looksLikeFormula(std::string_view field)
{
    return !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos &&
           !isNumeric(field);
}

bool isCsvPath(const Path& path)
{
    const std::string& bytes = path.bytes();
    return bytes.size() > kCsvSuffix.size() &&
           lowerCase(std::string_view(bytes).substr(bytes.size() - kCsvSuffix.size())) == kCsvSuffix;
}
} // namespace

std::string csvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        const bool quoted = needsQuotes(fields[i]);
        if (quoted)
            record += '"';
        if (looksLikeFormula(fields[i]))
            record += '\'';
        for (const char byte : fields[i]) {
            if (byte == '"')
                record += '"';
            record += byte;
        }
        if (quoted)
            record += '"';
    }
    // Windows-1252 to UTF-8, as the league's text is spelled in file names.
    return fileSystemName(record) + "\r\n";
}

std::string valuesCsv(const MarketValues& values, const std::vector<std::size_t>& rows)
{
    std::vector<std::string> fields(kValueColumns);
    for (int column = 0; column < kValueColumns; ++column)
        fields[static_cast<std::size_t>(column)] = valueColumnTitle(column);
    std::string text = std::string(kUtf8ByteOrderMark) + csvRecord(fields);
    for (const std::size_t index : rows) {
        for (int column = 0; column < kValueColumns; ++column)
            fields[static_cast<std::size_t>(column)] = valueCell(values, values.rows[index], column);
        text += csvRecord(fields);
    }
    return text;
}

std::string bracketsCsv(const MarketValues& values, const std::vector<std::size_t>& rows)
{
    std::vector<std::string> fields(kBracketColumns + 1);
    fields[0] = "Free agent";
    for (int column = 0; column < kBracketColumns; ++column)
        fields[static_cast<std::size_t>(column) + 1] = bracketColumnTitle(column);
    std::string text = std::string(kUtf8ByteOrderMark) + csvRecord(fields);
    for (const std::size_t index : rows) {
        const ValueRow& row = values.rows[index];
        fields[0] = valueCell(values, row, kNameColumn);
        for (const std::size_t entry : values.bracketOf(row).entries) {
            for (int column = 0; column < kBracketColumns; ++column)
                fields[static_cast<std::size_t>(column) + 1] = bracketCell(values.roster[entry], row.agent, column);
            text += csvRecord(fields);
        }
    }
    return text;
}

Path bracketsCsvPath(const Path& valuesPath)
{
    const std::string& bytes = valuesPath.bytes();
    return Path(bytes.substr(0, bytes.size() - kCsvSuffix.size()) + "-brackets" +
                bytes.substr(bytes.size() - kCsvSuffix.size()));
}

void exportCsv(const Path& leagueFolder, const Path& path, const MarketValues& values,
               const std::vector<std::size_t>& rows, bool withBrackets)
{
    if (!isCsvPath(path))
        throw Failure("Not written: " + path.shown() + ". The export writes only files whose name ends in " +
                      std::string(kCsvSuffix) + ", so that no league file is replaced.");
    checkExportTarget(leagueFolder, path);
    if (withBrackets)
        checkExportTarget(leagueFolder, bracketsCsvPath(path));
    writeFileAtomic(path, valuesCsv(values, rows));
    if (withBrackets)
        writeFileAtomic(bracketsCsvPath(path), bracketsCsv(values, rows));
}

} // namespace bidmark
