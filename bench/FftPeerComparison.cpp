// Times our FFT and FFTW's FFTW_MEASURE plan of the same length in the same
// run: planning excluded, caches warm, the two alternating sample by sample,
// the median of the samples reported. One line per length:
//   N=<n> ours_ns=<median> fftw_ns=<median> ratio=<ours/fftw>
// Both transforms work on arrays that start on a 64-byte boundary (FFTW's
// own allocator aligns its arrays so).
// Optional arguments: lengths to time instead of the default list,
// --threads=N to limit the threads our transform may use, and --offset=K to
// start our arrays K doubles past a 64-byte boundary instead (large blocks
// from malloc, such as the program's data columns, start 2 doubles past one).
#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "dsp/MixedRadixFft.h"
#include "platform/CWorkerPool.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

int g_offset = 0;

// n doubles starting g_offset doubles past a 64-byte boundary.
class CBenchArray {
public:
    explicit CBenchArray(int32_t n) : m_store(static_cast<size_t>(n) + 16) {
        const auto base = reinterpret_cast<uintptr_t>(m_store.data());
        m_p = reinterpret_cast<double*>((base + 63) & ~uintptr_t{63}) + g_offset;
    }
    double* data() { return m_p; }
    double& operator[](size_t i) { return m_p[i]; }

private:
    std::vector<double> m_store;
    double* m_p;
};

void Compare(int32_t n) {
    CBenchArray sr(n), si(n), dr(n), di(n);
    std::mt19937 gen(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int32_t i = 0; i < n; ++i) {
        sr[i] = u(gen);
        si[i] = u(gen);
    }
    fftw_complex* in = fftw_alloc_complex(static_cast<size_t>(n));
    fftw_complex* out = fftw_alloc_complex(static_cast<size_t>(n));
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);  // overwrites in
    for (int32_t i = 0; i < n; ++i) {
        in[i][0] = sr[i];
        in[i][1] = si[i];
    }
    // Calls per sample: enough to make one sample about a millisecond.
    const int calls = std::max(1, static_cast<int>(200000 / n));
    const int samples = n >= (1 << 19) ? 15 : 41;
    auto ours = [&] {
        for (int c = 0; c < calls; ++c) kv::MixedRadixFft(n, 1.0f, sr.data(), si.data(), dr.data(), di.data());
    };
    auto theirs = [&] {
        for (int c = 0; c < calls; ++c) fftw_execute(plan);
    };
    ours();  // plans and warms our tables
    theirs();
    std::vector<double> tOurs, tTheirs;
    for (int s = 0; s < samples; ++s) {
        auto t0 = Clock::now();
        ours();
        auto t1 = Clock::now();
        theirs();
        auto t2 = Clock::now();
        tOurs.push_back(std::chrono::duration<double, std::nano>(t1 - t0).count() / calls);
        tTheirs.push_back(std::chrono::duration<double, std::nano>(t2 - t1).count() / calls);
    }
    // Sanity check that both computed the same transform (ours is rounded
    // to single precision per pass).
    double err = 0, mag = 0;
    for (int32_t i = 0; i < n; ++i) {
        err = std::max({err, std::abs(dr[i] - out[i][0]), std::abs(di[i] - out[i][1])});
        mag = std::max({mag, std::abs(out[i][0]), std::abs(out[i][1])});
    }
    const double a = Median(tOurs), b = Median(tTheirs);
    std::printf("N=%d ours_ns=%.0f fftw_ns=%.0f ratio=%.3f\n", n, a, b, a / b);
    if (err > 1e-5 * mag) std::printf("WARNING N=%d results differ: %g (peak %g)\n", n, err, mag);
    std::fflush(stdout);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int32_t> lengths = {1024, 65536, 1 << 20, 1000000, 44100, 48000, 1594323, 9973, 2 * 9973};
    std::vector<int32_t> chosen;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--threads=", 0) == 0)
            kv::CWorkerPool::SetThreadLimit(std::atoi(arg.c_str() + 10));
        else if (arg.rfind("--offset=", 0) == 0)
            g_offset = std::clamp(std::atoi(arg.c_str() + 9), 0, 8);
        else
            chosen.push_back(static_cast<int32_t>(std::atol(argv[i])));
    }
    if (!chosen.empty()) lengths = chosen;
    for (int32_t n : lengths) Compare(n);
    return 0;
}
