// Two pieces of work timed in turn (A B A B ...) with the process's CPU clock, so that a drift
// of the machine's speed during the run moves both alike; the figures are medians.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace xlrender::bench {

inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One A and one B per benchmark iteration; reports A's and B's median CPU milliseconds and the
// median of the ratios A / B taken pair by pair. `a` and `b` return false to stop the run.
template <typename WorkA, typename WorkB>
void TimeInPairs(benchmark::State& state, const char* nameA, const char* nameB, WorkA a, WorkB b) {
    std::vector<double> timesA;
    std::vector<double> timesB;
    std::vector<double> ratios;
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        if (!a()) {
            return;
        }
        const double middle = ProcessCpuSeconds();
        if (!b()) {
            return;
        }
        const double end = ProcessCpuSeconds();
        timesA.push_back(middle - start);
        timesB.push_back(end - middle);
        ratios.push_back((middle - start) / (end - middle));
    }
    constexpr double kMilliseconds = 1000;
    state.counters[std::string(nameA) + "_cpu_ms"] = Median(timesA) * kMilliseconds;
    state.counters[std::string(nameB) + "_cpu_ms"] = Median(timesB) * kMilliseconds;
    state.counters["ratio"] = Median(ratios);
}

}  // namespace xlrender::bench
