#pragma once
// Wall-clock and thread CPU timing of a repeated body, for the plain
// benchmark programs that print name=value lines.
#include <algorithm>
#include <chrono>
#include <functional>
#include <time.h>
#include <vector>

namespace bench {

struct Timing {
    double best;     // ms, wall clock
    double median;   // ms, wall clock
    double bestCpu;  // ms, CPU time of this thread: less disturbed by other loads
};

inline double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

inline Timing Measure(int runs, const std::function<void()>& body) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> ms, cpu;
    for (int r = 0; r < runs; ++r) {
        const double c0 = ThreadCpuMs();
        const auto t0 = Clock::now();
        body();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        cpu.push_back(ThreadCpuMs() - c0);
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], *std::min_element(cpu.begin(), cpu.end())};
}

}  // namespace bench
