// Google Benchmark of the mixed-radix FFT at the lengths engineers use:
// powers of two, round decimal lengths, audio rates, a power of three and
// the largest admissible prime.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "dsp/MixedRadixFft.h"

namespace {

void BM_MixedRadixFft(benchmark::State& state) {
    const int32_t n = static_cast<int32_t>(state.range(0));
    std::vector<double> sr(n), si(n), dr(n), di(n);
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int32_t i = 0; i < n; ++i) {
        sr[i] = u(gen);
        si[i] = u(gen);
    }
    kv::MixedRadixFft(n, 1.0f, sr.data(), si.data(), dr.data(), di.data());  // plan outside the timing
    for (auto _ : state) {
        kv::MixedRadixFft(n, 1.0f, sr.data(), si.data(), dr.data(), di.data());
        benchmark::DoNotOptimize(dr.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_MixedRadixFft)
    ->Arg(1024)
    ->Arg(65536)
    ->Arg(1 << 20)
    ->Arg(1000000)
    ->Arg(44100)
    ->Arg(48000)
    ->Arg(1594323)  // 3^13
    ->Arg(9973)
    ->Arg(2 * 9973)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
