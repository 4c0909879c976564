// Frequency statistics and the frequency list over a long spectrum.
// Prints name=value lines; times in milliseconds (best and median of the runs).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "analysis/CFreqStats.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "platform/CMemFile.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double best;
    double median;
};

Timing Measure(int runs, const std::function<void()>& body) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        body();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

// A complex two-sided spectrum: a tone with harmonics over Gaussian noise,
// or (rising) powers that grow with the scan, the worst case of the ranking.
void MakeSpectrum(kv::CKalvoData& data, int32_t n, bool rising) {
    data.m_bTime = 0;
    data.Reset();
    data.Inphase().SetSize(n);
    data.Quadrature().SetSize(n);
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 1e-3);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t signedIndex = i < n / 2 ? i : i - n;
        data.Inphase()[i] = rising ? 1.0 + (signedIndex + n / 2) * 1e-6 + noise(rng) : noise(rng);
        data.Quadrature()[i] = rising ? 0.0 : noise(rng);
    }
    if (!rising) {
        const int32_t tone = 123457;
        data.Inphase()[tone] = 1000.0;
        for (int k = 2; k <= 20; ++k) data.Inphase()[(static_cast<int64_t>(k) * tone) % n] += 10.0 / k;
    }
    data.m_bReal = 0;
    data.ResetRange();
    data.ApplyFs(kv::CFs(48.0));
}

}  // namespace

int main(int argc, char** argv) {
    const int32_t n = 4194304;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("bins=%d\nruns=%d\n", n, runs);

    for (bool rising : {false, true}) {
        kv::CKalvoData data;
        std::string listFile;
        MakeSpectrum(data, n, rising);
        kv::CFreqStats stats(data, listFile, 100);
        const std::string name = rising ? "rising" : "tone";

        double sink = 0.0;
        const Timing stat = Measure(runs, [&] { sink += stats.ComputeFrequencyStatistics().m_dSinad; });
        size_t bytes = 0;
        const Timing list = Measure(runs, [&] {
            kv::CMemFile buffer(1024);
            stats.WriteFrequencyList(buffer);
            bytes = static_cast<size_t>(buffer.GetLength());
        });
        std::printf("%s_statistics_best_ms=%.2f\n%s_statistics_median_ms=%.2f\n", name.c_str(), stat.best,
                    name.c_str(), stat.median);
        std::printf("%s_list_best_ms=%.2f\n%s_list_median_ms=%.2f\n%s_list_bytes=%zu\n", name.c_str(), list.best,
                    name.c_str(), list.median, name.c_str(), bytes);
        std::printf("%s_checksum=%g\n", name.c_str(), sink);
    }
    return 0;
}
