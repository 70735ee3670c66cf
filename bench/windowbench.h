#pragma once
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/leaguegenerator.h"
#include "core/path.h"

namespace benchmark {
class State;
}

// What the benchmarks through the program's windows share: the league's size,
// the windows and dialogs as they find and answer them, and the floor an
// action is measured against: reading its input files once and writing its
// output files once, each replaced whole and flushed as the league's files
// always are.
namespace bidmark::bench {

// The default league, or one of this many free agents with its teams and
// rostered players in proportion.
LeagueSize leagueOf(long long freeAgents);

// The shown top-level window of this objectName, or nullptr.
QWidget* topLevel(const char* name);
// A control of a window by objectName; throws when the windows changed under
// the benchmark.
template <class Widget = QPushButton>
Widget* control(const QWidget* window, const char* name)
{
    Widget* found = window ? window->findChild<Widget*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        throw std::runtime_error(std::string("no control ") + name);
    return found;
}
template <class Widget = QPushButton>
Widget* control(const char* windowName, const char* name)
{
    return control<Widget>(topLevel(windowName), name);
}

// Answers every modal dialog as soon as it shows, without a polling delay:
// a prompt with the text given (or its preset), a question with Yes, a
// message with OK. The last message's text is kept, and the texts of
// messages with the critical icon.
class DialogsAnswered : public QObject {
public:
    DialogsAnswered();
    QString typed;         // for the next prompt; empty keeps the preset
    QString lastText;      // of the last message
    QStringList failures;  // the texts of critical messages

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QWidget* dialog);
};

// The event loop run until nothing is left to do.
void settle();
double median(std::vector<double> values);

// What an action reads and writes, as the floor does it: each input read;
// each output replaced whole and flushed, as the league's files are; each
// scratch file replaced whole and left to the system to flush (temp.txt);
// each record a new file in a new folder, not flushed (the run's report and
// receipts); each file deleted.
struct ActionFiles {
    std::vector<Path> inputs = {};
    std::vector<std::pair<Path, std::string>> outputs = {};
    std::vector<std::pair<Path, std::string>> scratch = {};
    std::vector<std::pair<std::string, std::string>> records = {}; // their names within the folder, and their bytes
    std::vector<Path> deleted = {};
};

// Seconds one pass of the floor takes; the outputs and scratch files are
// written to their paths, the files deleted, and the records to a folder
// made for the pass in `recordsIn` and removed after it, untimed.
double floorSeconds(const ActionFiles& files, const Path& recordsIn = {});

// Seconds the work takes, with settle() after it (the windows idle again).
double secondsUntilIdle(const std::function<void()>& work);

// The counters of a benchmark of N runs of the action and N of its floor:
// action_ms and floor_ms (medians) and floor_x, the ratio of the medians,
// with its spread floor_x_min and floor_x_max (fastest and slowest action
// over the median floor).
void reportRatio(benchmark::State& state, std::vector<double> action, std::vector<double> floor);

} // namespace bidmark::bench
