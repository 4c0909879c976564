#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "FftReference.h"
#include "data/CDataColumn.h"
#include "data/COscillator.h"
#include "dsp/MixedRadixFft.h"
#include "platform/CProgress.h"
#include "platform/CWorkerPool.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

std::vector<int32_t> Factors(int32_t n) {
    int32_t fact[32];
    int32_t m = FactorFftLength(n, fact);
    return std::vector<int32_t>(fact + 1, fact + 1 + m);
}

using V = std::vector<int32_t>;

TEST(FactorFftLength, GivesThePassOrder) {
    EXPECT_EQ(Factors(1024), (V{4, 4, 8, 8}));
    EXPECT_EQ(Factors(128), (V{4, 4, 8}));
    EXPECT_EQ(Factors(16), (V{4, 4}));  // 2 * 8 becomes 4 * 4
    EXPECT_EQ(Factors(20), (V{2, 10}));  // a 2 with no 8 before it stays
    EXPECT_EQ(Factors(14), (V{7, 2}));
    EXPECT_EQ(Factors(49), (V{7, 7}));
    EXPECT_EQ(Factors(7 * 1024), (V{7, 4, 4, 8, 8}));
    EXPECT_EQ(Factors(210), (V{7, 3, 10}));
    EXPECT_EQ(Factors(1), (V{1}));
    EXPECT_EQ(Factors(4), (V{4}));
    EXPECT_EQ(Factors(8), (V{8}));
    EXPECT_EQ(Factors(10), (V{10}));
    EXPECT_EQ(Factors(1000), (V{10, 10, 10}));
    EXPECT_EQ(Factors(48000), (V{4, 3, 4, 10, 10, 10}));
    EXPECT_EQ(Factors(44100), (V{7, 7, 3, 3, 10, 10}));
    EXPECT_EQ(Factors(2 * 9973), (V{9973, 2}));
    EXPECT_EQ(Factors(11 * 13 * 8), (V{13, 11, 8}));
    EXPECT_TRUE(Factors(0).empty());
    EXPECT_TRUE(Factors(-5).empty());
    for (int32_t n : {2, 6, 12, 30, 96, 243, 1000000, 1 << 20, 1594323, 999983})
        EXPECT_EQ(Factors(n), test::ReferenceFactors(n)) << n;
}

TEST(FftLengthSupported, LimitsTheLargestFactor) {
    int32_t largest = 0;
    EXPECT_TRUE(FftLengthSupported(9973, &largest));
    EXPECT_EQ(largest, 9973);
    EXPECT_FALSE(FftLengthSupported(10007, &largest));
    EXPECT_EQ(largest, 10007);
    EXPECT_TRUE(FftLengthSupported(2 * 9973, &largest));
    EXPECT_EQ(largest, 9973);
    EXPECT_TRUE(FftLengthSupported(9997, &largest));  // 13 * 769
    EXPECT_EQ(largest, 769);
    EXPECT_TRUE(FftLengthSupported(1024, &largest));
    EXPECT_EQ(largest, 4);
    EXPECT_FALSE(FftLengthSupported(0, &largest));
    EXPECT_FALSE(FftLengthSupported(4 * 10007));
}

TEST(NextLowerPowerOfTwo, NeverExceedsTheCount) {
    EXPECT_EQ(NextLowerPowerOfTwo(1), 1);
    EXPECT_EQ(NextLowerPowerOfTwo(2), 2);
    EXPECT_EQ(NextLowerPowerOfTwo(3), 2);
    EXPECT_EQ(NextLowerPowerOfTwo(1000), 512);
    EXPECT_EQ(NextLowerPowerOfTwo(1024), 1024);
    EXPECT_EQ(NextLowerPowerOfTwo(10007), 8192);
    EXPECT_EQ(NextLowerPowerOfTwo(0), 0);
    EXPECT_EQ(NextLowerPowerOfTwo(-3), 0);
    EXPECT_EQ(NextLowerPowerOfTwo(1 << 30), 1 << 30);
    EXPECT_EQ(NextLowerPowerOfTwo(std::numeric_limits<int32_t>::max()), 1 << 30);
    // Just below a large power of two the nudged logarithm reaches the
    // power above the count.
    EXPECT_EQ(NextLowerPowerOfTwo((1 << 18) - 1), 1 << 17);
    EXPECT_EQ(NextLowerPowerOfTwo((1 << 20) - 3), 1 << 19);
    for (int k = 1; k < 31; ++k) {
        const int32_t p = int32_t{1} << k;
        EXPECT_EQ(NextLowerPowerOfTwo(p), p);
        EXPECT_EQ(NextLowerPowerOfTwo(p - 1), p / 2) << k;
        if (k < 30) {
            EXPECT_EQ(NextLowerPowerOfTwo(p + 1), p);
        }
    }
}

struct Signal {
    std::vector<double> re, im;
};

Signal Random(int64_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Signal s;
    s.re.resize(n);
    s.im.resize(n);
    for (int64_t i = 0; i < n; ++i) {
        s.re[i] = u(gen);
        s.im[i] = u(gen);
    }
    return s;
}

Signal Fft(const Signal& x, float scale = 1.0f) {
    Signal y;
    const int32_t n = static_cast<int32_t>(x.re.size());
    y.re.assign(n, 0.0);
    y.im.assign(n, 0.0);
    MixedRadixFft(n, scale, x.re.data(), x.im.data(), y.re.data(), y.im.data());
    return y;
}

bool IsFloat(double v) { return static_cast<double>(static_cast<float>(v)) == v; }

// Checks the given bins against the exact DFT. Each pass rounds its output
// to single precision, so the error is a few single-precision units of the
// typical output magnitude, plus one of the value itself.
void ExpectDft(const Signal& x, const Signal& y, double scale, const std::vector<int64_t>& bins,
               const char* what) {
    const int64_t n = static_cast<int64_t>(x.re.size());
    std::vector<long double> er, ei;
    test::ExactDft(n, scale, x.re.data(), x.im.data(), bins, er, ei);
    long double power = 0;
    for (int64_t k = 0; k < n; ++k) power += y.re[k] * y.re[k] + y.im[k] * y.im[k];
    const double rms = std::sqrt(static_cast<double>(power / n));
    const int passes = static_cast<int>(Factors(static_cast<int32_t>(n)).size());
    const double unit = std::ldexp(1.0, -24);
    int bad = 0;
    for (size_t i = 0; i < er.size(); ++i) {
        const int64_t k = bins.empty() ? static_cast<int64_t>(i) : bins[i];
        const double mag = std::hypot(static_cast<double>(er[i]), static_cast<double>(ei[i]));
        const double tol = unit * (2.0 * mag + 8.0 * (passes + 1) * rms);
        const double dr = std::fabs(y.re[k] - static_cast<double>(er[i]));
        const double di = std::fabs(y.im[k] - static_cast<double>(ei[i]));
        if ((dr > tol || di > tol) && ++bad <= 5)
            ADD_FAILURE() << what << " N=" << n << " bin " << k << ": got (" << y.re[k] << ", " << y.im[k]
                          << "), exact (" << static_cast<double>(er[i]) << ", " << static_cast<double>(ei[i])
                          << "), tolerance " << tol;
    }
    for (int64_t k = 0; k < n; ++k)
        if (!IsFloat(y.re[k]) || !IsFloat(y.im[k])) {
            ADD_FAILURE() << what << " N=" << n << " output " << k << " is not a single-precision value";
            break;
        }
}

TEST(MixedRadixFft, MatchesTheExactDftForEveryLengthUpTo512) {
    for (int32_t n = 1; n <= 512; ++n) {
        Signal x = Random(n, 1000u + static_cast<unsigned>(n));
        ExpectDft(x, Fft(x), 1.0, {}, "all lengths");
        if (HasFailure()) break;
    }
}

std::vector<int64_t> SomeBins(int64_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<int64_t> bins = {0, 1, n / 2, n - 1};
    const int extra = n > 65536 ? 4 : 12;
    for (int i = 0; i < extra; ++i) bins.push_back(static_cast<int64_t>(gen() % static_cast<uint64_t>(n)));
    return bins;
}

TEST(MixedRadixFft, MatchesTheExactDftForLongAndPrimeLengths) {
    // Lengths that exercise large first-stage blocks, grouped passes with
    // uneven position runs, odd radices and chirp-computed prime radices.
    const int32_t lengths[] = {1 << 20,   1000000,    1594323 /* 3^13 */, 44100,     48000,    65536,
                               9973,      2 * 9973,   67 * 64,            127 * 131, 61 * 59 * 4, 7 * 11 * 13 * 17,
                               10007 * 2, 4099 * 3 * 5};
    for (int32_t n : lengths) {
        Signal x = Random(n, static_cast<unsigned>(n));
        ExpectDft(x, Fft(x), 1.0, SomeBins(n, 7u), "long");
    }
}

TEST(MixedRadixFft, FollowsTheDocumentedPassStructure) {
    // A literal implementation of the pass structure agrees with the fast
    // one up to rare single-unit differences where the two round double
    // results that straddle a float boundary differently.
    const int32_t lengths[] = {16, 48, 120, 1000, 1024, 4096, 7 * 7 * 3 * 3 * 10, 8192 * 3, 9973, 2 * 67 * 3};
    for (int32_t n : lengths) {
        Signal x = Random(n, 5u + static_cast<unsigned>(n));
        Signal y = Fft(x, 0.25f);
        Signal ref;
        ref.re.resize(n);
        ref.im.resize(n);
        test::ReferenceFft(n, 0.25f, x.re.data(), x.im.data(), ref.re.data(), ref.im.data());
        double rms = 0;
        for (int32_t k = 0; k < n; ++k) rms += ref.re[k] * ref.re[k] + ref.im[k] * ref.im[k];
        rms = std::sqrt(rms / n);
        int same = 0;
        double worst = 0;
        for (int32_t k = 0; k < n; ++k) {
            same += (y.re[k] == ref.re[k]) + (y.im[k] == ref.im[k]);
            worst = std::max({worst, std::fabs(y.re[k] - ref.re[k]), std::fabs(y.im[k] - ref.im[k])});
        }
        EXPECT_GE(same, 2 * n * 9 / 10) << "N=" << n;
        EXPECT_LE(worst, rms * 1e-6) << "N=" << n;
    }
}

// Short transforms whose first two passes run on blocks held in registers
// (radix pairs such as 4 x 4, 2 x 8, 8 x 2, 4 x 2), at every vector level,
// with a scale: the same pass structure as the plain transcription.
TEST(MixedRadixFft, SmoothShortLengthsFollowThePassStructureAtEveryLevel) {
    std::vector<int32_t> lengths;
    for (int32_t n = 16; n <= 8192; ++n) {
        int32_t m = n;
        for (int32_t f : {2, 3, 5}) while (m % f == 0) m /= f;
        if (m == 1) lengths.push_back(n);
    }
    const int previous = SetFftVectorLimit(2);
    const int best = FftVectorLevel();
    for (int level = best; level >= 0; --level) {
        SetFftVectorLimit(level);
        for (int32_t n : lengths) {
            const Signal x = Random(n, 77u + static_cast<unsigned>(n));
            const Signal y = Fft(x, 0.375f);
            Signal ref;
            ref.re.resize(n);
            ref.im.resize(n);
            test::ReferenceFft(n, 0.375f, x.re.data(), x.im.data(), ref.re.data(), ref.im.data());
            double rms = 0, worst = 0;
            int same = 0;
            for (int32_t k = 0; k < n; ++k) {
                rms += ref.re[k] * ref.re[k] + ref.im[k] * ref.im[k];
                same += (y.re[k] == ref.re[k]) + (y.im[k] == ref.im[k]);
                worst = std::max({worst, std::fabs(y.re[k] - ref.re[k]), std::fabs(y.im[k] - ref.im[k])});
            }
            rms = std::sqrt(rms / n);
            EXPECT_GE(same, 2 * n * 8 / 10) << "level " << level << " N=" << n;
            EXPECT_LE(worst, rms * 1e-6) << "level " << level << " N=" << n;
            if (HasFailure()) break;
        }
    }
    SetFftVectorLimit(previous);
}

TEST(MixedRadixFft, RoundsEveryPassToSinglePrecision) {
    // N = 16 runs two radix-4 passes. Bin 0 of the second pass adds the
    // first-pass sums of points {0, 4, 8, 12} and {1, 5, 9, 13}: 1 + 2^-30
    // rounds to 1 after the first pass, so the result is exactly 0 although
    // the exact DFT is 2^-30.
    Signal x;
    x.re.assign(16, 0.0);
    x.im.assign(16, 0.0);
    x.re[0] = 1.0;
    x.re[4] = std::ldexp(1.0, -30);
    x.re[1] = -1.0;
    Signal y = Fft(x);
    EXPECT_EQ(y.re[0], 0.0);
    EXPECT_EQ(y.im[0], 0.0);
}

TEST(MixedRadixFft, ImpulseAndConstant) {
    // An impulse at the first point read gives its value in every bin; points
    // before start are never read.
    CDataColumn sr, si, dr, di;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double v : {nan, nan, 0.75, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}) sr.Append(v);
    for (double v : {nan, nan, -0.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}) si.Append(v);
    dr.SetSize(8);
    di.SetSize(8);
    MixedRadixFft(2, 8, 1.0f, sr, si, dr, di);
    for (int k = 0; k < 8; ++k) {
        EXPECT_DOUBLE_EQ(dr[k], 0.75) << k;
        EXPECT_DOUBLE_EQ(di[k], -0.5) << k;
    }
    // A constant with scale 1/N: bin 0 holds the constant, the rest is zero.
    for (int32_t n : {4, 8, 10, 1000, 4096, 9973}) {
        Signal x;
        x.re.assign(n, 2.5);
        x.im.assign(n, -1.0);
        Signal y = Fft(x, 1.0f / static_cast<float>(n));
        EXPECT_NEAR(y.re[0], 2.5, 2.5 * 1e-6) << n;
        EXPECT_NEAR(y.im[0], -1.0, 1e-6) << n;
        double rest = 0;
        for (int32_t k = 1; k < n; ++k) rest = std::max({rest, std::fabs(y.re[k]), std::fabs(y.im[k])});
        EXPECT_LT(rest, 1e-6) << n;
    }
}

TEST(MixedRadixFft, SinglePointIsRoundedAndScaled) {
    const double re = 1.0 + std::ldexp(1.0, -40), im = -3.0;
    double orr = 0, oi = 0;
    MixedRadixFft(1, 0.5f, &re, &im, &orr, &oi);
    EXPECT_EQ(orr, 0.5);
    EXPECT_EQ(oi, -1.5);
}

TEST(MixedRadixFft, EveryVectorLevelAgrees) {
    // The same transform from each vector code the processor has.
    const int32_t lengths[] = {1024, 44100, 9973, 3 * 3 * 3 * 3 * 3 * 3 * 3 * 3 * 3, 2 * 67 * 61, 40, 3 * 7 * 8 * 5};
    const int previous = SetFftVectorLimit(2);
    const int best = FftVectorLevel();
    std::vector<Signal> top;
    for (int32_t n : lengths) top.push_back(Fft(Random(n, 3u)));
    for (int level = 0; level < best; ++level) {
        SetFftVectorLimit(level);
        ASSERT_EQ(FftVectorLevel(), level);
        for (size_t i = 0; i < top.size(); ++i) {
            const int32_t n = lengths[i];
            Signal x = Random(n, 3u);
            Signal y = Fft(x);
            ExpectDft(x, y, 1.0, SomeBins(n, 11u), "lower vector level");
            double worst = 0, rms = 0;
            for (int32_t k = 0; k < n; ++k) {
                worst = std::max({worst, std::fabs(y.re[k] - top[i].re[k]), std::fabs(y.im[k] - top[i].im[k])});
                rms += y.re[k] * y.re[k];
            }
            EXPECT_LE(worst, 1e-6 * std::sqrt(rms / n)) << "level " << level << " N=" << n;
        }
    }
    SetFftVectorLimit(previous);
}

// Long transforms are shared among threads in pieces that each compute what
// one thread computes there: the result is the same to the bit.
TEST(MixedRadixFft, ThreadsGiveTheResultOfOneThread) {
    const int32_t lengths[] = {1 << 15, 1 << 17, 3 * (1 << 16), 177147, 100000, 200000, 2 * 5 * 7 * 11 * 13 * 17 * 3,
                               1 << 20};
    const int previousVector = SetFftVectorLimit(2);
    for (int level = FftVectorLevel(); level >= 0; --level) {
        SetFftVectorLimit(level);
        for (int32_t n : lengths) {
            const Signal x = Random(n, 5u);
            const int previousThreads = CWorkerPool::SetThreadLimit(1);
            const Signal one = Fft(x);
            for (int threads : {2, 3, 4}) {
                CWorkerPool::SetThreadLimit(threads);
                const Signal many = Fft(x);
                bool same = true;
                for (int32_t k = 0; k < n && same; ++k)
                    same = std::memcmp(&many.re[k], &one.re[k], 8) == 0 && std::memcmp(&many.im[k], &one.im[k], 8) == 0;
                EXPECT_TRUE(same) << "N=" << n << " threads " << threads << " level " << level;
            }
            CWorkerPool::SetThreadLimit(previousThreads);
        }
    }
    SetFftVectorLimit(previousVector);
}

// Lengths that one thread transforms (below the length shared among threads)
// still report progress and can be stopped; with progress the result is that
// of a transform without it.
TEST(MixedRadixFft, OneThreadLengthsReportProgressAndStop) {
    using namespace std::chrono_literals;
    const std::chrono::milliseconds previousDelay = CProgress::SetShowDelay(0ms);
    const int previousThreads = CWorkerPool::SetThreadLimit(4);
    for (int32_t n : {1 << 15, 3 * 5 * 7 * 7 * 11 * 13}) {
        const Signal x = Random(n, 8u);
        const Signal quiet = Fft(x);
        test::CScriptedPlatform platform;
        Signal shown;
        {
            CProgress progress("Transform");
            shown = Fft(x);
        }
        EXPECT_FALSE(platform.progress.empty()) << n;
        EXPECT_TRUE(std::memcmp(shown.re.data(), quiet.re.data(), n * sizeof(double)) == 0 &&
                    std::memcmp(shown.im.data(), quiet.im.data(), n * sizeof(double)) == 0)
            << n;

        platform.progress.clear();
        platform.stopAtProgress = 1;
        bool stopped = false;
        try {
            CProgress progress("Transform");
            Fft(x);
        } catch (const COperationCancelled&) {
            stopped = true;
        }
        EXPECT_TRUE(stopped) << n;
        EXPECT_EQ(platform.progress.size(), 1u) << n;
    }
    CWorkerPool::SetThreadLimit(previousThreads);
    CProgress::SetShowDelay(previousDelay);
}

TEST(MixedRadixFft, ColumnsAreCheckedAndMayAlias) {
    Signal x = Random(64, 9u);
    CDataColumn re, im;
    for (int i = 0; i < 64; ++i) {
        re.Append(x.re[i]);
        im.Append(x.im[i]);
    }
    // In place: the source is copied before it is overwritten.
    MixedRadixFft(0, 64, 1.0f, re, im, re, im);
    Signal y = Fft(x);
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(re[k], y.re[k]);
        EXPECT_EQ(im[k], y.im[k]);
    }
    // Too short a destination or source: nothing changes.
    CDataColumn dr, di;
    dr.SetSize(10);
    di.SetSize(10);
    for (int i = 0; i < 10; ++i) {
        dr.SetAt(i, 7.0);
        di.SetAt(i, 7.0);
    }
    MixedRadixFft(0, 16, 1.0f, re, im, dr, di);
    MixedRadixFft(60, 8, 1.0f, re, im, dr, di);
    MixedRadixFft(-1, 8, 1.0f, re, im, dr, di);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(dr[i], 7.0);
}

// Freeing the kept plan, buffers and chirp transforms changes no result:
// lengths with odd radices, a prime long enough for the chirp passes and a
// power of two, each transformed again after a release (and after another
// length took the workspace), bit for bit.
TEST(MixedRadixFft, ReleasedWorkspaceGivesTheSameResults) {
    ReleaseFftWorkspace();
    for (int64_t n : {1155, 9973, 4096}) {
        const Signal x = Random(n, 33u);
        const Signal first = Fft(x);
        ReleaseFftWorkspace();
        ReleaseFftWorkspace();
        const Signal again = Fft(x);
        EXPECT_EQ(first.re, again.re) << n;
        EXPECT_EQ(first.im, again.im) << n;
        Fft(Random(48, 1u));
        ReleaseFftWorkspace();
        const Signal third = Fft(x);
        EXPECT_EQ(first.re, third.re) << n;
        EXPECT_EQ(first.im, third.im) << n;
    }
    const Signal x = Random(10007, 4u);
    Signal a, b;
    a.re.resize(x.re.size());
    a.im.resize(x.re.size());
    b = a;
    ChirpDft(10007, x.re.data(), x.im.data(), a.re.data(), a.im.data());
    ReleaseFftWorkspace();
    ChirpDft(10007, x.re.data(), x.im.data(), b.re.data(), b.im.data());
    EXPECT_EQ(a.re, b.re);
    EXPECT_EQ(a.im, b.im);
}

TEST(ChirpDft, MatchesTheExactDftForAnyLength) {
    for (int64_t n : {1, 2, 3, 17, 100, 10007}) {
        Signal x = Random(n, 21u);
        Signal y;
        y.re.resize(n);
        y.im.resize(n);
        ChirpDft(n, x.re.data(), x.im.data(), y.re.data(), y.im.data());
        std::vector<int64_t> bins = n <= 100 ? std::vector<int64_t>{} : SomeBins(n, 3u);
        std::vector<long double> er, ei;
        test::ExactDft(n, 1.0, x.re.data(), x.im.data(), bins, er, ei);
        for (size_t i = 0; i < er.size(); ++i) {
            const int64_t k = bins.empty() ? static_cast<int64_t>(i) : bins[i];
            EXPECT_NEAR(y.re[k], static_cast<double>(er[i]), 1e-11 * std::sqrt(double(n))) << n << " bin " << k;
            EXPECT_NEAR(y.im[k], static_cast<double>(ei[i]), 1e-11 * std::sqrt(double(n))) << n << " bin " << k;
        }
    }
}

TEST(Oscillator, RotatesAndWrapsThePhase) {
    COscillator osc;
    OscillatorInit(osc, 1.0, 4.0, 0.0, 2.0);  // a quarter turn per sample
    EXPECT_DOUBLE_EQ(osc.m_dStep, 6.283185307179586 / 4.0);
    double re = 1.0, im = 0.0;
    OscillatorApply(osc, re, im);  // phase 0
    EXPECT_DOUBLE_EQ(re, 2.0);
    EXPECT_DOUBLE_EQ(im, 0.0);
    re = 1.0;
    im = 0.0;
    OscillatorApply(osc, re, im);  // phase pi/2: (1, 0) becomes (0, 2)
    EXPECT_NEAR(re, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(im, 2.0);
    OscillatorApply(osc, re, im);  // phase pi
    EXPECT_NEAR(osc.m_dPhase, -3.141592653589793 / 2, 1e-15);  // 3 pi / 2 wrapped
    // A negative frequency wraps the other way.
    OscillatorInit(osc, -3.0, 8.0, -3.0, 1.0);
    re = 0.0;
    im = 1.0;
    OscillatorApply(osc, re, im);
    EXPECT_NEAR(re, -std::sin(-3.0), 1e-15);
    EXPECT_NEAR(im, std::cos(-3.0), 1e-15);
    EXPECT_NEAR(osc.m_dPhase, -3.0 - 0.75 * 3.141592653589793 + 6.283185307179586, 1e-15);
}

}  // namespace
}  // namespace kv
