#include "cli/commands.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <set>

#include "commissioner/mergerun.h"
#include "commissioner/receipts.h"
#include "commissioner/signing.h"
#include "core/failure.h"
#include "core/filenames.h"
#include "core/journal.h"
#include "core/leaguechange.h"
#include "core/leaguefiles.h"
#include "core/linefile.h"
#include "core/teamfiles.h"
#include "core/undo.h"
#include "marketvalue/leaguepage.h"
#include "marketvalue/valuerun.h"

namespace bidmark::cli {

namespace {

// A command's words after its name: the words that are no option, and the
// options given ("--yes", "--rate=25").
struct Call {
    Path folder;
    std::vector<std::string> words;
    std::set<std::string> options;
    std::ostream& out;
    std::ostream& err;

    bool has(std::string_view option) const { return options.count(std::string(option)) > 0; }
    std::string value(std::string_view option, std::string fallback) const
    {
        for (const std::string& given : options) {
            if (given.size() > option.size() && given.compare(0, option.size(), option) == 0
                && given[option.size()] == '=')
                return given.substr(option.size() + 1);
        }
        return fallback;
    }
};

// League text (Windows-1252) as the terminal shows it, one line a line.
std::string shown(std::string_view leagueText) { return fileSystemName(leagueText); }

// Typed text as league text; refused when Windows-1252 cannot store it.
std::string typed(const std::string& text, std::string_view what)
{
    if (std::optional<std::string> league = leagueTextOfName(text))
        return *league;
    throw Failure(std::string(what) + " holds a character that Windows-1252 cannot store.");
}

// The questions of a run answered by the options given: one left unanswered
// refuses the run and says which option answers it.
class OptionAnswers : public Questions {
public:
    explicit OptionAnswers(const Call& call) : call_(call) {}
    bool yes(const Question& question) override
    {
        if (call_.has(question.option))
            return true;
        if (!question.noOption.empty() && call_.has(question.noOption))
            return false;
        std::string options = std::string(question.option) + " answers Yes";
        if (!question.noOption.empty())
            options += ", " + std::string(question.noOption) + " No";
        throw Failure(question.text + "\nRefused: " + options + ".");
    }
    std::optional<bool> yesOrNo(const Question& question) override { return yes(question); }
    void tell(std::string_view message) override { call_.err << shown(message) << '\n'; }

private:
    const Call& call_;
};

void tellRecovered(const Call& call, const Recovered& recovered)
{
    if (recovered.message)
        call.err << shown(*recovered.message) << '\n';
}

void tellDone(const Call& call, std::string_view message, const MergeReport& report)
{
    call.err << shown(message) << '\n';
    for (const std::string& note : runNotes(report))
        call.err << shown(note) << '\n';
}

// A change of league files, what its putting back of an interrupted run did
// said also when it failed.
template <class Change>
void change(const Call& call, Change&& work)
{
    Recovered recovered;
    try {
        work(recovered);
    } catch (...) {
        tellRecovered(call, recovered);
        throw;
    }
    tellRecovered(call, recovered);
}

MergeRunOptions mergeOptions(const Call& call)
{
    return {!call.has("--no-move-signed"), !call.has("--keep-offers")};
}

int merge(const Call& call)
{
    const MergeRunOptions options = mergeOptions(call);
    std::optional<std::string> name;
    if (options.moveSignedPlayers) {
        if (call.words.empty()) {
            call.err << "merge: a merge name is needed to move signed players (or --no-move-signed)\n";
            return kUsage;
        }
        name = typed(call.words[0], "The merge name");
    }
    MergeTeamOffersRun run(call.folder, name, options);
    change(call, [&](Recovered& recovered) { run.run(recovered); });
    tellDone(call, run.doneMessage(), run.report());
    return kDone;
}

int sign(const Call& call)
{
    const std::vector<std::string> entries = readLines(Path(call.words[0]));
    const bool moveSigned = !call.has("--no-move-signed");
    const std::string stamp = journalTimeText(std::chrono::system_clock::now());
    OptionAnswers answers(call);
    std::optional<MergeReport> leftover;
    change(call, [&](Recovered& recovered) {
        leftover = settleLeftover(call.folder, moveSigned, stamp, answers, recovered);
    });
    if (leftover)
        tellDone(call, "COMMISH.txt from an earlier signing merged", *leftover);
    MergeReport report;
    change(call, [&](Recovered& recovered) {
        report = mergeSignedPlayersRun(call.folder, entries, moveSigned, stamp, recovered);
    });
    tellDone(call, "signed players merged", report);
    return kDone;
}

int values(const Call& call)
{
    const std::string roster = typed(call.words[0], "The roster page's name");
    const std::string vitals = typed(call.words[1], "The vitals page's name");
    const std::string output = typed(call.words[2], "The output name");
    MarketValueRun run;
    change(call, [&](Recovered& recovered) {
        run = calculateMarketValue(call.folder, roster, vitals, output, call.value("--rate", "20"), recovered);
    });
    call.err << shown(run.message) << '\n';
    return run.values ? kDone : kRefused;
}

int undo(const Call& call)
{
    OptionAnswers answers(call);
    std::optional<std::string> said;
    change(call, [&](Recovered& recovered) { said = undoLastRun(call.folder, answers, recovered); });
    if (said)
        call.err << shown(*said) << '\n';
    return kDone;
}

// A line a line, CR LF or not, in the terminal's encoding.
void showLines(const Call& call, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        call.out << shown(line) << '\n';
}

// The last run's report, or the run's of the number given; with --team, that
// team's receipt of the run instead (only merges keep receipts).
int report(const Call& call)
{
    const bool receipt = call.has("--team");
    std::vector<std::string> words = call.words;
    std::string team = call.value("--team", "");
    if (receipt && team.empty()) {
        if (words.empty()) {
            call.err << "report: --team needs a team (--team TOR)\n";
            return kUsage;
        }
        team = words.back();
        words.pop_back();
    }
    if (words.size() > 1) {
        call.err << "report: one run number at most\n";
        return kUsage;
    }
    const std::string teamFile = receipt ? teamOfferFileName(typed(team, "The team")) : std::string();
    const std::vector<RunRecord> runs = readJournal(call.folder).runs;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        const Path path =
            receipt ? pathIn(pathIn(run->folder, kReceiptsFolder), teamFile) : pathIn(run->folder, kReportFile);
        const bool named = !words.empty();
        if (named ? std::to_string(run->number) != words[0] : !fileExists(path))
            continue;
        if (!fileExists(path))
            break;
        showLines(call, readLines(path));
        return kDone;
    }
    if (words.empty())
        call.err << (receipt ? "No run has kept a receipt for " + shown(team) + "."
                             : std::string("No run has kept a report."));
    else
        call.err << "Run " << words[0] << (receipt ? " kept no receipt for " + shown(team) + "." : " kept no report.");
    call.err << '\n';
    return kRefused;
}

// The league page of a league folder written to OUTPUT.
int page(const Call& call)
{
    const Path folder = call.words.size() == 2 ? Path(call.words[0]) : call.folder;
    const LeaguePage written = writeLeaguePage(folder, Path(call.words.back()));
    call.err << "League page written to " << call.words.back() << ": " << written.freeAgents << " free agents, "
             << written.signedPlayers << " signed players\n";
    return kDone;
}

int status(const Call& call)
{
    for (const std::string& team : readLines(pathIn(call.folder, kTeamsFile))) {
        call.out << shown(team) << '\t';
        if (teamNameProblem(team)) {
            call.out << "(no offer file: the name cannot name one)\n";
            continue;
        }
        const std::string file = teamOfferFileName(team);
        const Path path = pathIn(call.folder, file);
        call.out << shown(file) << '\t';
        if (fileExists(path))
            call.out << readLines(path).size() << " lines\n";
        else
            call.out << "missing\n";
    }
    const std::vector<RunRecord> runs = readJournal(call.folder).runs;
    constexpr std::size_t kShownRuns = 5;
    call.out << "Last runs:\n";
    for (std::size_t i = runs.size() > kShownRuns ? runs.size() - kShownRuns : 0; i < runs.size(); ++i) {
        const RunRecord& run = runs[i];
        call.out << run.number << '\t' << shown(run.started) << '\t' << shown(run.run);
        if (run.kind == RunKind::undo)
            call.out << "\t(undoes run " << run.target << ')';
        else if (run.kind == RunKind::recovery)
            call.out << "\t(puts back run " << run.target << ')';
        if (run.finished.empty())
            call.out << "\t(not finished)";
        call.out << '\n';
    }
    return kDone;
}

struct Command {
    std::string_view name;
    std::size_t words, optionalWords; // how many words it takes, and how many of them may be left off
    std::vector<std::string_view> options;
    std::string_view usage;
    int (*run)(const Call& call);
};

const Command kCommands[] = {
    {"status", 0, 0, {}, "status                 the teams' offer files and the journal's last runs", status},
    {"merge", 1, 1, {"--no-move-signed", "--keep-offers"},
     "merge NAME [--no-move-signed] [--keep-offers]\n"
     "                       Merge Team Offers; NAME heads the moved players in signed.txt",
     merge},
    {"sign", 1, 0, {"--no-move-signed", "--merge-leftover", "--keep-leftover"},
     "sign FILE [--no-move-signed] [--merge-leftover | --keep-leftover]\n"
     "                       the signings of FILE (COMMISH.txt's form) merged into fa.txt",
     sign},
    {"values", 3, 0, {"--rate"},
     "values ROSTER VITALS OUTPUT [--rate=20]\n"
     "                       Calculate Market Value from the two pages into OUTPUT",
     values},
    {"undo", 0, 0, {"--yes", "--changed-too"},
     "undo [--yes] [--changed-too]\n"
     "                       Undo Last Run; --yes answers its question, --changed-too the one about files\n"
     "                       changed since the run",
     undo},
    {"report", 2, 2, {"--team"},
     "report [NUMBER] [--team TEAM]\n"
     "                       the last run's report, or that of the run of this number; with --team, the\n"
     "                       team's receipt of that merge",
     report},
    {"page", 2, 1, {}, "page [FOLDER] OUTPUT   the league page of FOLDER (the league folder) written to OUTPUT", page},
};

void usage(std::ostream& to)
{
    to << "Usage: bidmark-cli [--league=FOLDER] COMMAND [ARGUMENTS]\n"
          "The commissioner's runs on a league folder (the current folder unless --league is given).\n\n";
    for (const Command& command : kCommands)
        to << "  " << command.usage << '\n';
    to << "\nExit status: 0 done, 1 the run refused or failed, 2 the command was not understood.\n";
}

bool knownOption(const Command& command, const std::string& given)
{
    return std::any_of(command.options.begin(), command.options.end(), [&](std::string_view option) {
        return given == option || given.rfind(std::string(option) + "=", 0) == 0;
    });
}

} // namespace

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Path folder(".");
    std::size_t at = 0;
    for (; at < arguments.size() && arguments[at].rfind("--", 0) == 0; ++at) {
        if (arguments[at] == "--help") {
            usage(out);
            return kDone;
        }
        if (arguments[at].rfind("--league=", 0) != 0) {
            err << "bidmark-cli: unknown option " << arguments[at] << '\n';
            return kUsage;
        }
        folder = Path(arguments[at].substr(9));
    }
    if (at == arguments.size()) {
        usage(err);
        return kUsage;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return c.name == arguments[at]; });
    if (command == std::end(kCommands)) {
        err << "bidmark-cli: unknown command " << arguments[at] << " (see bidmark-cli --help)\n";
        return kUsage;
    }
    Call call{folder, {}, {}, out, err};
    for (++at; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        if (word.rfind("--", 0) != 0)
            call.words.push_back(word);
        else if (knownOption(*command, word))
            call.options.insert(word);
        else {
            err << "bidmark-cli " << command->name << ": unknown option " << word << '\n';
            return kUsage;
        }
    }
    if (call.words.size() > command->words || call.words.size() + command->optionalWords < command->words) {
        err << "Usage: bidmark-cli " << command->usage << '\n';
        return kUsage;
    }
    try {
        return command->run(call);
    } catch (const Failure& failure) {
        err << shown(failure.what()) << '\n';
        return kRefused;
    }
}

} // namespace bidmark::cli
