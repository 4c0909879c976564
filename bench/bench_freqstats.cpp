// Frequency statistics and the frequency list over a long spectrum.
// Prints name=value lines; times in milliseconds (best and median of the runs).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "analysis/CFreqStats.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "platform/CWorkerPool.h"
#include "platform/CMemFile.h"

#include "BenchTiming.h"

namespace {

using bench::Measure;
using bench::Timing;

enum class Shape { Tone, Lowpass, Rising };

// A complex two-sided spectrum: a tone with harmonics over Gaussian noise; a
// noisy low-pass shape (the powers rise through the negative half of the
// scan); or powers that grow through the whole scan, the worst case of the
// ranking (nearly every bin enters the list).
void MakeSpectrum(kv::CKalvoData& data, int32_t n, Shape shape) {
    data.m_bTime = 0;
    data.Reset();
    data.Inphase().SetSize(n);
    data.Quadrature().SetSize(n);
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 1e-3);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t signedIndex = i < n / 2 ? i : i - n;
        switch (shape) {
            case Shape::Tone:
                data.Inphase().SetAt(i, noise(rng));
                data.Quadrature().SetAt(i, noise(rng));
                break;
            case Shape::Lowpass:
                data.Inphase().SetAt(i, (1.0 + 100.0 * noise(rng)) / (1.0 + std::abs(signedIndex) / 1000.0));
                data.Quadrature().SetAt(i, 0.0);
                break;
            case Shape::Rising:
                data.Inphase().SetAt(i, 1.0 + (signedIndex + n / 2) * 1e-6 + noise(rng));
                data.Quadrature().SetAt(i, 0.0);
                break;
        }
    }
    if (shape == Shape::Tone) {
        const int32_t tone = 123457;
        data.Inphase().SetAt(tone, 1000.0);
        for (int k = 2; k <= 20; ++k) data.Inphase().GetWritableData()[(static_cast<int64_t>(k) * tone) % n] += 10.0 / k;
    }
    data.m_bReal = 0;
    data.ResetRange();
    data.ApplyFs(kv::CFs(48.0));
}

}  // namespace

int main(int argc, char** argv) {
    const int32_t n = 4194304;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (argc > 2) kv::CWorkerPool::SetThreadLimit(std::max(1, std::atoi(argv[2])));
    std::printf("bins=%d\nruns=%d\nthreads=%d\n", n, runs, kv::CWorkerPool::Instance().Threads());

    const std::pair<Shape, const char*> shapes[] = {
        {Shape::Tone, "tone"}, {Shape::Lowpass, "lowpass"}, {Shape::Rising, "rising"}};
    for (const auto& [shape, shapeName] : shapes) {
        kv::CKalvoData data;
        std::string listFile;
        MakeSpectrum(data, n, shape);
        kv::CFreqStats stats(data, listFile, 100);
        const std::string name = shapeName;

        double sink = 0.0;
        const Timing stat = Measure(runs, [&] { sink += stats.ComputeFrequencyStatistics().m_dSinad; });
        size_t bytes = 0;
        const Timing list = Measure(runs, [&] {
            kv::CMemFile buffer(1024);
            stats.WriteFrequencyList(buffer);
            bytes = static_cast<size_t>(buffer.GetLength());
        });
        const char* c = name.c_str();
        std::printf("%s_statistics_best_ms=%.2f\n%s_statistics_median_ms=%.2f\n%s_statistics_best_cpu_ms=%.2f\n", c,
                    stat.best, c, stat.median, c, stat.bestCpu);
        std::printf("%s_list_best_ms=%.2f\n%s_list_median_ms=%.2f\n%s_list_best_cpu_ms=%.2f\n%s_list_bytes=%zu\n", c,
                    list.best, c, list.median, c, list.bestCpu, c, bytes);
        std::printf("%s_checksum=%g\n", name.c_str(), sink);
    }
    return 0;
}
