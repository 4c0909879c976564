// Histograms of a long capture, as a histogram plot computes them.
// Prints name=value lines; times in milliseconds (best and median of the runs).
//
//   bench_histogram [samples] [runs] [threads]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "analysis/CHistogramData.h"
#include "analysis/Histogram.h"
#include "data/CKalvoData.h"
#include "platform/CWorkerPool.h"

#include "BenchTiming.h"

int main(int argc, char** argv) {
    const int32_t n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (argc > 3) kv::CWorkerPool::SetThreadLimit(std::max(1, std::atoi(argv[3])));
    std::printf("samples=%d\nruns=%d\nthreads=%d\n", n, runs, kv::CWorkerPool::Instance().Threads());

    // A noisy complex tone, as an ADC capture would give.
    kv::CKalvoData data;
    data.Inphase().SetSize(n);
    data.Quadrature().SetSize(n);
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 0.05);
    for (int32_t i = 0; i < n; ++i) {
        data.Inphase().SetAt(i, 0.8 * std::cos(0.001 * i) + noise(rng));
        data.Quadrature().SetAt(i, 0.8 * std::sin(0.001 * i) + noise(rng));
    }
    data.m_bReal = 0;
    data.ResetRange();

    struct Case {
        const char* name;
        int first;
        int second;
    };
    const Case cases[] = {{"inphase", kv::HIST_INPHASE, kv::HIST_NONE},
                          {"i_and_q", kv::HIST_INPHASE, kv::HIST_QUADRATURE},
                          {"magnitude", kv::HIST_MAGNITUDE, kv::HIST_NONE},
                          {"phase", kv::HIST_PHASE, kv::HIST_NONE}};
    for (const Case& c : cases) {
        kv::CHistogramData histogram;
        double total = 0.0;
        const bench::Timing t = bench::Measure(runs, [&] {
            kv::ComputeHistogram(data, histogram, c.first, c.second);
            total = 0.0;
            for (int32_t k = 0; k < histogram.GetCount(); ++k)
                total += histogram.Inphase()[k] + histogram.Quadrature()[k];
        });
        std::printf("%s_best_ms=%.2f\n%s_median_ms=%.2f\n%s_best_cpu_ms=%.2f\n%s_bins=%d\n%s_counted=%.0f\n", c.name,
                    t.best, c.name, t.median, c.name, t.bestCpu, c.name, histogram.m_nBins, c.name, total);
    }
    return 0;
}
