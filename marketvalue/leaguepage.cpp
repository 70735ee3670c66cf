#include "marketvalue/leaguepage.h"

#include <chrono>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/cp1252.h"
#include "core/exporttarget.h"
#include "core/failure.h"
#include "core/falist.h"
#include "core/filenames.h"
#include "core/platform.h"
#include "core/journal.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/market.h"
#include "core/numbers.h"
#include "core/text.h"
#include "marketvalue/marketvalfile.h"

namespace bidmark {

namespace {

// The style: wide tables on a screen, one column of labelled cells on a
// phone, no buttons or colours on paper. The free agents' columns are labelled
// for the phone by position, as the table heads them.
constexpr std::string_view kStyle = R"(<style>
body { font: 15px/1.4 system-ui, sans-serif; color: #111; background: #fff; margin: 0 auto; max-width: 76rem; padding: 1rem; }
h1 { font-size: 1.6rem; margin: 0; }
h2 { font-size: 1.2rem; margin: 1.5rem 0 .5rem; }
header p { margin: .25rem 0 0; color: #444; }
table { border-collapse: collapse; width: 100%; }
th, td { padding: .3rem .5rem; border-bottom: 1px solid #ddd; text-align: left; vertical-align: top; }
.n { text-align: right; }
thead th { background: #e9edf2; position: sticky; top: 0; }
th button { font: inherit; font-weight: bold; border: 0; background: none; padding: 0; cursor: pointer; color: inherit; }
th[aria-sort=ascending] button::after { content: " \25B2"; }
th[aria-sort=descending] button::after { content: " \25BC"; }
ul { margin: 0; padding-left: 1.1rem; }
tr.signed td { background: #eef6e8; }
.contract { font-weight: bold; color: #245d14; }
.tools { display: flex; flex-wrap: wrap; gap: .5rem 1rem; margin: .5rem 0; }
[hidden] { display: none !important; }
@media (max-width: 40rem) {
  body { padding: .5rem; }
  table, tbody, tr, td { display: block; }
  thead tr { display: flex; flex-wrap: wrap; align-items: center; }
  #agents thead tr::before { content: "Sort by"; color: #555; margin-right: .25rem; }
  thead th { position: static; border: 0; }
  tr { border-bottom: 2px solid #ccc; padding: .4rem 0; }
  td { border: 0; padding: .1rem 0; }
  .n { text-align: left; }
  td:first-child { font-weight: bold; }
  #agents td:nth-child(2)::before { content: "Position "; }
  #agents td:nth-child(3)::before { content: "Age "; }
  #agents td:nth-child(4)::before { content: "Overall "; }
  #agents td:nth-child(5)::before { content: "Status "; }
  #agents td:nth-child(6)::before { content: "Salary "; }
  #agents td:nth-child(7)::before { content: "Market value "; }
  #signed td:nth-child(2)::before { content: "Position "; }
  #signed td:nth-child(3)::before { content: "Age "; }
  #signed td:nth-child(4)::before { content: "Overall "; }
  td::before { color: #555; }
}
@media print {
  body { font-size: 9pt; max-width: none; padding: 0; }
  .tools { display: none; }
  thead th { position: static; background: none; }
  th button { pointer-events: none; }
  tr { break-inside: avoid; }
}
</style>
)";

// Sorting by a column (numbers as numbers, offers by how many) and filtering
// by name and position; the tools are shown only where the script runs.
constexpr std::string_view kScript = R"(<script>
(function () {
  var table = document.getElementById("agents");
  if (!table) return;
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows), heads = table.tHead.rows[0].cells;
  var name = document.getElementById("filter"), position = document.getElementById("position");
  var numbers = { 2: true, 3: true, 5: true, 6: true };
  function key(row, column) {
    var cell = row.cells[column];
    if (column === 7) return cell.getElementsByTagName("li").length;
    if (!numbers[column]) return cell.textContent.toLowerCase();
    var value = parseFloat(cell.textContent);
    return isNaN(value) ? -1 : value;
  }
  Array.prototype.forEach.call(heads, function (head, column) {
    var button = document.createElement("button");
    button.type = "button";
    button.textContent = head.textContent;
    head.textContent = "";
    head.appendChild(button);
    button.addEventListener("click", function () {
      var order = head.getAttribute("aria-sort") === "ascending" ? -1 : 1;
      Array.prototype.forEach.call(heads, function (other) { other.removeAttribute("aria-sort"); });
      head.setAttribute("aria-sort", order > 0 ? "ascending" : "descending");
      var keyed = rows.map(function (row, index) { return [key(row, column), index, row]; });
      keyed.sort(function (a, b) { return a[0] < b[0] ? -order : a[0] > b[0] ? order : a[1] - b[1]; });
      var sorted = document.createDocumentFragment();
      keyed.forEach(function (entry) { sorted.appendChild(entry[2]); });
      body.appendChild(sorted);
    });
  });
  function filter() {
    var part = name.value.toLowerCase(), chosen = position.value;
    rows.forEach(function (row) {
      row.hidden = row.cells[0].textContent.toLowerCase().indexOf(part) < 0 ||
        (chosen !== "" && row.cells[1].textContent !== chosen);
    });
  }
  name.addEventListener("input", filter);
  position.addEventListener("change", filter);
  document.getElementById("tools").hidden = false;
})();
</script>
)";

constexpr std::string_view kTools =
    "<p class=\"tools\" id=\"tools\" hidden><label>Name <input type=\"search\" id=\"filter\"></label> "
    "<label>Position <select id=\"position\"><option value=\"\">All</option><option>C</option>"
    "<option>LW</option><option>RW</option><option>D</option><option>G</option></select></label></p>\n";

// League text as page text: UTF-8, markup characters escaped, control
// characters (which no page may hold) shown as the replacement character.
void appendText(std::string& html, std::string_view leagueText)
{
    for (const char byte : leagueText) {
        const char16_t character = charOf1252(byte);
        switch (character) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        default:
            if ((character < 0x20 && character != '\t') || (character >= 0x7F && character < 0xA0)) {
                html += "\xEF\xBF\xBD";
            } else if (character < 0x80) {
                html += static_cast<char>(character);
            } else if (character < 0x800) {
                html += static_cast<char>(0xC0 | (character >> 6));
                html += static_cast<char>(0x80 | (character & 0x3F));
            } else {
                html += static_cast<char>(0xE0 | (character >> 12));
                html += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
                html += static_cast<char>(0x80 | (character & 0x3F));
            }
        }
    }
}

std::string text(std::string_view leagueText)
{
    std::string html;
    appendText(html, leagueText);
    return html;
}

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Dollars as millions to the thousand; text that is no number (or none a
// salary can be) as it stands.
std::string millions(std::string_view dollars)
{
    try {
        if (isNumeric(dollars))
            return formatNumber(moneyValue(dollars, "salary") / 1'000'000, "0.0##");
    } catch (const Failure&) {
    }
    return trimmed(dollars);
}

void cell(std::string& html, std::string_view leagueText, bool number = false)
{
    html += number ? "<td class=\"n\">" : "<td>";
    appendText(html, leagueText);
    html += "</td>";
}

// The name, position, age and overall of a player line.
void playerCells(std::string& html, const std::string& line)
{
    cell(html, trimmed(leftPart(line, 22)));
    cell(html, trimmed(mid(line, 43, 4)));
    cell(html, trimmed(mid(line, 24, 2)), true);
    cell(html, trimmed(rightPart(line, 3)), true);
}

// An offer line as the page shows it: the team in bold, the rest as it stands.
void appendOffer(std::string& html, const StandingOffer& offer)
{
    html += "<b>";
    appendText(html, offer.team);
    html += "</b>";
    appendText(html, std::string_view(offer.line).substr(offer.team.size() + 2));
}

void freeAgentRow(std::string& html, const std::vector<std::string>& lines, std::size_t index,
                  const std::unordered_map<std::string, double>& values)
{
    const std::string& line = lines[index];
    const PlayerOffers offers = offersUnder(lines, index);
    html += offers.isSigned() ? "<tr class=\"signed\">" : "<tr>";
    playerCells(html, line);
    cell(html, mid(line, 29, 3));
    cell(html, millions(mid(line, 33, 10)), true);
    const auto value = values.find(nameKey(line));
    cell(html, value == values.end() ? std::string("\x96") : formatNumber(value->second, "0.0#"), true);
    html += "<td>";
    if (offers.isSigned()) {
        html += "<span class=\"contract\">Signed: ";
        appendOffer(html, *offers.signedContract);
        html += "</span>";
    }
    if (!offers.offers.empty()) {
        html += "<ul>";
        for (const StandingOffer& offer : offers.offers) {
            html += "<li>";
            appendOffer(html, offer);
            html += "</li>";
        }
        html += "</ul>";
    }
    html += "</td></tr>\n";
}

bool isSigningHeader(std::string_view line)
{
    return line.size() >= 11 && line.rfind("------ ", 0) == 0 && line.compare(line.size() - 4, 4, "----") == 0;
}

// The last signing header of signed.txt, if any.
std::optional<std::size_t> lastHeading(const std::vector<std::string>& lines)
{
    for (std::size_t index = lines.size(); index-- > 0;) {
        if (isSigningHeader(lines[index]))
            return index;
    }
    return std::nullopt;
}

std::size_t appendSigned(std::string& html, const std::vector<std::string>& lines, std::size_t from)
{
    std::size_t count = 0;
    for (std::size_t index = from; index + 1 < lines.size(); ++index) {
        if (!isPlayerLine(lines[index]) || !isSignedLine(lines[index + 1]))
            continue;
        html += "<tr>";
        playerCells(html, lines[index]);
        html += "<td>";
        if (const std::optional<StandingOffer> contract = readSignedContract(lines[index + 1]))
            appendOffer(html, *contract);
        html += "</td></tr>\n";
        ++count;
        ++index;
    }
    return count;
}

// A table of the rows under the heads; a page holds no empty table.
void appendTable(std::string& html, std::string_view id, std::string_view heads, const std::string& rows)
{
    html += "<table id=\"";
    html += id;
    html += "\">\n<thead><tr>";
    html += heads;
    html += "</tr></thead>\n<tbody>\n";
    html += rows;
    html += "</tbody>\n</table>\n";
}

std::string folderName(const Path& folder)
{
    const std::string name = platform::realPath(folder).name();
    return leagueTextOfName(name).value_or("League");
}

std::vector<std::string> linesIfThere(const Path& folder, std::string_view name)
{
    const Path path = pathIn(folder, name);
    return platform::exists(path) ? readLines(path) : std::vector<std::string>();
}

} // namespace

LeaguePage leaguePage(const LeaguePageFiles& files, const LeaguePageHeading& heading)
{
    const std::optional<std::size_t> heads = lastHeading(files.signedPlayers);
    const std::string merge = heads ? files.signedPlayers[*heads].substr(7, files.signedPlayers[*heads].size() - 11) : "";
    const std::string title = text(heading.leagueName) + " free agents";

    LeaguePage page;
    std::string& html = page.html;
    html.reserve(files.freeAgents.size() * 64);
    html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += std::string(kOwnPageMark) + "\n";
    html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    html += kStyle;
    html += "<title>" + title + " \xE2\x80\x93 " + text(heading.date) + "</title>\n</head>\n<body>\n<header>\n";
    html += "<h1>" + title + "</h1>\n<p id=\"merge\">";
    if (heads)
        html += "Merge: " + text(merge) + " \xC2\xB7 ";
    html += "Published " + text(heading.date) + "</p>\n</header>\n<main>\n";

    std::string rows;
    rows.reserve(files.freeAgents.size() * 64);
    const std::unordered_map<std::string, double> values = readMarketValues(files.marketValues);
    for (std::size_t index = 0; index < files.freeAgents.size(); ++index) {
        if (isPlayerLine(files.freeAgents[index])) {
            freeAgentRow(rows, files.freeAgents, index, values);
            ++page.freeAgents;
        }
    }
    html += "<section>\n<h2>Free agents (" + std::to_string(page.freeAgents) + ")</h2>\n";
    if (page.freeAgents > 0) {
        html += kTools;
        appendTable(html, "agents",
                    "<th>Name</th><th>Pos</th><th class=\"n\">Age</th><th class=\"n\">OV</th><th>Status</th>"
                    "<th class=\"n\">Salary</th><th class=\"n\">Value</th><th>Offers</th>",
                    rows);
        html += "<p>Salaries, values and offers in millions of dollars a year: salary/years, +bonus. Value: the "
                "market value the commissioner computed.</p>\n";
    }
    html += "</section>\n";

    rows.clear();
    page.signedPlayers = appendSigned(rows, files.signedPlayers, heads ? *heads + 1 : 0);
    html += "<section>\n<h2>Signed";
    html += heads ? " in " + text(merge) : std::string(" players");
    html += " (" + std::to_string(page.signedPlayers) + ")</h2>\n";
    if (page.signedPlayers > 0)
        appendTable(html, "signed",
                    "<th>Name</th><th>Pos</th><th class=\"n\">Age</th><th class=\"n\">OV</th><th>Contract</th>", rows);
    html += "</section>\n</main>\n";
    html += kScript;
    html += "</body>\n</html>\n";
    return page;
}

LeaguePage writeLeaguePage(const Path& folder, const Path& path, LeaguePageHeading heading)
{
    checkExportTarget(folder, path);
    if (heading.leagueName.empty())
        heading.leagueName = folderName(folder);
    if (heading.date.empty())
        heading.date = journalTimeText(std::chrono::system_clock::now()).substr(0, 10);
    const LeaguePageFiles files{readLines(pathIn(folder, kFreeAgentFile)), linesIfThere(folder, kMarketValueFile),
                                linesIfThere(folder, kSignedFile)};
    LeaguePage page = leaguePage(files, heading);
    writeFileAtomic(path, page.html);
    return page;
}

} // namespace bidmark
