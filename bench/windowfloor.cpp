#include "bench/windowfloor.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

#include "core/platform.h"

namespace bidmark::bench {

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

double floorSeconds(const ActionFiles& files)
{
    const Clock::time_point start = Clock::now();
    std::size_t bytes = 0;
    for (const Path& path : files.inputs)
        bytes += platform::readFile(path).size();
    for (const auto& [path, content] : files.outputs)
        platform::writeFileAtomic(path, content);
    benchmark::DoNotOptimize(bytes);
    return since(start);
}

double secondsUntilIdle(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    QCoreApplication::sendPostedEvents(); // deferred deletes and layouts included
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return since(start);
}

void reportRatio(benchmark::State& state, std::vector<double> action, std::vector<double> floor)
{
    const double floorMedian = median(floor);
    state.counters["action_ms"] = median(action) * 1000;
    state.counters["floor_ms"] = floorMedian * 1000;
    state.counters["floor_x"] = median(action) / floorMedian;
    state.counters["floor_x_min"] = *std::min_element(action.begin(), action.end()) / floorMedian;
    state.counters["floor_x_max"] = *std::max_element(action.begin(), action.end()) / floorMedian;
}

} // namespace bidmark::bench
