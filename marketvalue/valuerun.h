#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "core/leaguechange.h"
#include "core/path.h"
#include "marketvalue/values.h"

// The market value run of the calculator window.
namespace bidmark {

// The run as the journal names it; the one league file it may replace is its
// output file (when it is named right in the league folder).
inline constexpr std::string_view kMarketValueRunName = "Calculate Market Value";

struct MarketValueRun {
    std::string message;                        // the one message for the user
    std::shared_ptr<const MarketValues> values; // what the run wrote; only when it finished
};

// Reads the roster and vitals pages and fa.txt and rewrites the output file
// with a market value line for every free agent; all names are relative to
// the folder. Returns the one message for the user, checked in this order:
// an empty page name, a page that fails its check, a refused output name, or
// "DONE <seconds>seconds" together with the values the file was written from.
// Throws Failure when a file cannot be read or written, a salary is no number
// or a figure overflows (the rate among them); the output file is then left
// as it was.
MarketValueRun runMarketValue(const Path& folder, const std::string& rosterName,
                              const std::string& vitalsName, const std::string& outputName,
                              const std::string& rateText);

// Calculate Market Value as one run, for the calculator window and the
// command line alike: runMarketValue on the names they gathered (league
// text), under the league folder's lock after an interrupted run is put back
// (said in `recovered`), journalled with the output file. It asks nothing.
// Throws Failure.
MarketValueRun calculateMarketValue(const Path& folder, const std::string& rosterName,
                                    const std::string& vitalsName, const std::string& outputName,
                                    const std::string& rateText, Recovered& recovered);

} // namespace bidmark
