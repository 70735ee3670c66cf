#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/path.h"

namespace benchmark {
class State;
}

// The floor an action through the windows is measured against: reading its
// input files once and writing its output files once, each replaced whole
// and flushed as the league's files always are.
namespace bidmark::bench {

struct ActionFiles {
    std::vector<Path> inputs;                                  // paths read
    std::vector<std::pair<Path, std::string>> outputs;         // paths and the bytes written
};

// Seconds one pass of the floor takes; the outputs are written to their paths.
double floorSeconds(const ActionFiles& files);

// Seconds the work takes; then the event loop runs until nothing is left to
// do, and that counts too (the window idle again).
double secondsUntilIdle(const std::function<void()>& work);

// The counters of a benchmark of N runs of the action and N of its floor:
// action_ms and floor_ms (medians) and floor_x, the ratio of the medians,
// with its spread floor_x_min and floor_x_max (fastest and slowest action
// over the median floor).
void reportRatio(benchmark::State& state, std::vector<double> action, std::vector<double> floor);

} // namespace bidmark::bench
