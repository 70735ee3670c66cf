#pragma once
#include <string>
#include <string_view>

// The market value run of the calculator window.
namespace bidmark {

// Reads the roster and vitals pages and fa.txt and rewrites the output file
// with a market value line for every free agent; all names are relative to
// the folder. Returns the one message for the user, checked in this order:
// an empty page name, a page that fails its check, a refused output name, or
// "DONE <seconds>seconds". Throws Failure when a file cannot be read or
// written, a salary is no number or a figure overflows (the rate among them);
// the output file is then left as it was.
// The run as the journal names it; the one league file it may replace is its
// output file (when it is named right in the league folder).
inline constexpr std::string_view kMarketValueRunName = "Calculate Market Value";

std::string runMarketValue(const std::string& folder, const std::string& rosterName,
                           const std::string& vitalsName, const std::string& outputName,
                           const std::string& rateText);

} // namespace bidmark
