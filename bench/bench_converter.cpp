// Converter metrics of a long spectrum. Prints name=value lines; times in
// milliseconds (best and median of the runs, and the best thread CPU time).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "analysis/CConverterMetrics.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "dsp/CWindowProfile.h"
#include "dsp/CWndDlg.h"
#include "dsp/Transform.h"
#include "dsp/WindowFunctions.h"

#include "BenchPlatform.h"
#include "BenchTiming.h"

namespace {

using bench::Measure;
using bench::Timing;

// A converter's output through the program's window and transform: a tone
// between bins at -1 dBFS with H2 and H3 and white noise for 70 dB SNR,
// complex (two-sided spectrum) or real (one-sided).
void MakeSpectrum(kv::CKalvoData& freq, int32_t n, bool complex, int32_t window, double parameter) {
    kv::CKalvoData time;
    time.Inphase().SetSize(n);
    time.Quadrature().SetSize(n);
    std::mt19937_64 rng(3);
    const double a = std::pow(10.0, -1.0 / 20.0), pi2 = 6.283185307179586, f = 0.1234567;
    std::normal_distribution<double> noise(0.0, std::sqrt(a * a * (complex ? 1.0 : 0.5) * 1e-7 / (complex ? 2 : 1)));
    for (int32_t i = 0; i < n; ++i) {
        const double x = pi2 * f * i;
        time.Inphase().SetAt(i, a * (std::cos(x) + 1.8e-4 * std::cos(2 * x) + 1e-4 * std::cos(3 * x)) + noise(rng));
        time.Quadrature().SetAt(i, complex ? a * (std::sin(x) + 1.8e-4 * std::sin(2 * x) + 1e-4 * std::sin(3 * x)) + noise(rng)
                                       : 0.0);
    }
    time.m_bReal = complex ? 0 : 1;
    time.ResetRange();
    time.ApplyFs(kv::CFs(100.0));
    kv::ApplyWindow(time, window, parameter);
    freq.m_bTime = 0;
    kv::TransformFrom(freq, time, false, 0, n);
}

}  // namespace

int main(int argc, char** argv) {
    bench::CBenchPlatform platform(bench::CBenchPlatform::Dialogs::Cancel, true);
    const int32_t n = 4194304;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf("bins=%d\nruns=%d\n", n, runs);
    const struct {
        const char* name;
        int32_t type;
        double parameter;
        bool complex;
    } cases[] = {{"bh4_complex", kv::CWndDlg::kBlackmanHarris4, 0.0, true},
                 {"bh4_real", kv::CWndDlg::kBlackmanHarris4, 0.0, false},
                 {"kaiser8_complex", kv::CWndDlg::kKaiserBessel, 8.0, true},
                 {"dolph120_complex", kv::CWndDlg::kDolphChebyshev, 120.0, true}};
    for (const auto& c : cases) {
        kv::CKalvoData freq;
        MakeSpectrum(freq, n, c.complex, c.type, c.parameter);
        double sink = 0.0;
        // As the commands run it: the window's profile is kept from the last
        // measurement of the same window and length.
        kv::CWindowProfile::Cached(freq.m_nWindow, c.parameter, freq.GetCount());
        const Timing warm = Measure(runs, [&] {
            const auto profile = kv::CWindowProfile::Cached(freq.m_nWindow, c.parameter, freq.GetCount());
            sink += kv::CConverterMetrics::Compute(freq, *profile, 1.0 / n, {}).m_dSnr;
        });
        // The first measurement after the window or length changed: the
        // profile computed too.
        const Timing cold = Measure(runs, [&] {
            const kv::CWindowProfile profile(freq.m_nWindow, c.parameter, freq.GetCount());
            sink += kv::CConverterMetrics::Compute(freq, profile, 1.0 / n, {}).m_dSnr;
        });
        std::printf("converter_%s_best_ms=%.2f\nconverter_%s_median_ms=%.2f\nconverter_%s_best_cpu_ms=%.2f\n", c.name,
                    warm.best, c.name, warm.median, c.name, warm.bestCpu);
        std::printf("converter_%s_with_profile_best_ms=%.2f\nconverter_%s_with_profile_median_ms=%.2f\n", c.name,
                    cold.best, c.name, cold.median);
        std::printf("converter_%s_snr_db=%.3f\n", c.name, sink / (2 * runs));
    }
    return 0;
}
