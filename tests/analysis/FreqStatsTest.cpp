#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "AnalysisTestData.h"
#include "analysis/CFreqStats.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "platform/CWorkerPool.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

double Db(double ratio) { return 10.0 * std::log10(ratio); }

class FreqStats : public ::testing::Test {
protected:
    test::CScriptedPlatform platform;
    CKalvoData data;
    std::string listFile;
    CFreqStats stats{data, listFile};
};

TEST_F(FreqStats, HarmonicsFoldIntoTheFirstNyquistZone) {
    stats.HarmonicBins(10, 256);
    const std::vector<int32_t> bins10 = {10,  20,  30,  40,  50,  60,  70,  80, 90, 100,
                                         110, 120, 126, 116, 106, 96,  86,  76, 66, 56};
    EXPECT_EQ(stats.GetHarmonicBins(), bins10);

    stats.HarmonicBins(100, 256);
    ASSERT_EQ(stats.GetHarmonicBins().size(), 20u);
    EXPECT_EQ(stats.GetHarmonicBins()[1], 56);  // 200 folds to 256 - 200
    EXPECT_EQ(stats.GetHarmonicBins()[2], 44);  // 300 reduces to 44

    stats.HarmonicBins(64, 256);
    EXPECT_EQ(stats.GetHarmonicBins()[3], 0);  // the fourth lands on DC
    EXPECT_EQ(stats.HarmonicNumber(64), 1);    // first equal entry wins (the third folds back to 64)
    EXPECT_EQ(stats.HarmonicNumber(0), 4);
    EXPECT_EQ(stats.HarmonicNumber(128), 2);
    EXPECT_EQ(stats.HarmonicNumber(5), 0);

    // Odd lengths fold at the integer half.
    stats.HarmonicBins(3, 7);
    EXPECT_EQ(stats.GetHarmonicBins()[1], 1);  // 6 > 3: 7 - 6
    EXPECT_EQ(stats.GetHarmonicBins()[3], 2);  // 12 mod 7 = 5 > 3: 7 - 5
}

TEST_F(FreqStats, HarmonicsJustBelowAMultipleOfALongLengthStayInTheZone) {
    // 2 x 32765 = 65530 sits 6 bins below 65536: it folds to bin 6. A rounded
    // quotient would have put it at -6, outside every one-sided range.
    stats.HarmonicBins(32765, 65536);
    EXPECT_EQ(stats.GetHarmonicBins()[1], 6);
    // 3 x 1398101 = 4194303, one below 4194304.
    stats.HarmonicBins(1398101, 4194304);
    EXPECT_EQ(stats.GetHarmonicBins()[2], 1);
    for (int32_t c : stats.GetHarmonicBins()) {
        EXPECT_GE(c, 0);
        EXPECT_LE(c, 4194304 / 2);
    }
    // Products beyond 32 bits reduce exactly.
    stats.HarmonicBins(2000000001, 2147483647);
    for (int32_t c : stats.GetHarmonicBins()) EXPECT_GE(c, 0);
    EXPECT_EQ(stats.GetHarmonicBins()[1], 294967292);  // 4000000002 - 2147483647 = 1852516355, folded
}

TEST_F(FreqStats, PowersSplitIntoFundamentalDistortionAndNoiseWithKnownRatios) {
    // 64 real bins, range 0 ... 31: fundamental in bin 5, harmonics in 10 and
    // 15, noise in bin 7 and at DC.
    std::vector<double> re(64, 0.0);
    re[0] = 2.0;   // DC power 4: noise (DC is no harmonic of bin 5 here)
    re[5] = 10.0;  // 100
    re[10] = 1.0;  // 1, second harmonic
    re[15] = 0.5;  // 0.25, third harmonic
    re[7] = 0.125; // 0.015625, noise
    re[40] = 3.0;  // above the half of real data: not summed, not ranked
    test::FillSpectrum(data, re);
    data.m_dDbOffset = -20.0;
    const FreqStatResults r = stats.ComputeFrequencyStatistics();

    EXPECT_EQ(r.m_dFundamentalFrequency, 5.0);  // 64 Hz over 64 bins
    EXPECT_DOUBLE_EQ(r.m_dFundamentalPower, 0.0);
    EXPECT_DOUBLE_EQ(r.m_dDcPower, Db(4.0) - 20.0);
    EXPECT_DOUBLE_EQ(r.m_dDistortionPower, Db(1.25) - 20.0);
    EXPECT_DOUBLE_EQ(r.m_dNoisePower, Db(4.015625) - 20.0);
    EXPECT_DOUBLE_EQ(r.m_dTotalPower, Db(105.265625) - 20.0);
    EXPECT_DOUBLE_EQ(r.m_dSfdr, 20.0);  // ratios carry no offset
    EXPECT_DOUBLE_EQ(r.m_dSinad, Db(100.0 / 5.265625));
    EXPECT_DOUBLE_EQ(r.m_dSnr, Db(101.25 / 4.015625));
    // DC is left out of the ranking of a one-sided range.
    for (int32_t i = 0; i < stats.RankedList().GetCount(); ++i) EXPECT_NE(stats.RankedList()[i].m_nBin, 0);
}

TEST_F(FreqStats, DcNeverLeadsAOneSidedRangeButCountsAsDistortionWhenAHarmonicLandsOnIt) {
    std::vector<double> re(256, 0.0);
    re[0] = 100.0;  // the strongest bin, but DC
    re[64] = 10.0;
    test::FillSpectrum(data, re);
    ASSERT_EQ(data.m_nStop, 127);
    FreqStatResults r = stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList()[0].m_nBin, 64);
    EXPECT_DOUBLE_EQ(r.m_dDcPower, Db(10000.0));
    // The fourth harmonic of 64 lands on 0: DC is distortion, not noise.
    EXPECT_DOUBLE_EQ(r.m_dDistortionPower, Db(10000.0));
    EXPECT_EQ(r.m_dNoisePower, 10.0 * std::log10(static_cast<double>(1e-30f)));
    EXPECT_DOUBLE_EQ(r.m_dTotalPower, Db(10100.0));

    // With the fundamental at bin 10, DC is no harmonic: it is noise.
    re[64] = 0.0;
    re[10] = 10.0;
    test::FillSpectrum(data, re);
    r = stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList()[0].m_nBin, 10);
    EXPECT_DOUBLE_EQ(r.m_dNoisePower, Db(10000.0));
    EXPECT_EQ(r.m_dDistortionPower, 10.0 * std::log10(static_cast<double>(1e-30f)));
}

TEST_F(FreqStats, TwoSidedRangeRanksDcAndCountsNegativeMirrorsOfHarmonicsAsNoise) {
    // 32 complex bins, range -16 ... 15.
    std::vector<double> re(32, 0.0), im(32, 0.0);
    im[0] = 1.0;        // DC, power 1 (no harmonic of bin 3 lands on 0 in 32 bins)
    re[3] = 4.0;        // fundamental, 16
    re[6] = 2.0;        // second harmonic, 4
    re[32 - 6] = 1.5;   // bin -6: the mirror of the harmonic, 2.25
    re[32 - 3] = 0.5;   // bin -3, 0.25
    test::FillSpectrum(data, re, im, false);
    ASSERT_EQ(data.m_nStart, -16);
    stats.SetListLength(5);
    const FreqStatResults r = stats.ComputeFrequencyStatistics();
    const CRankedList& list = stats.RankedList();
    ASSERT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list[0].m_nBin, 3);
    EXPECT_EQ(list[1].m_nBin, 6);
    EXPECT_EQ(list[2].m_nBin, 26);  // stored index of bin -6
    EXPECT_EQ(list[3].m_nBin, 0);   // DC takes part in a two-sided ranking
    EXPECT_EQ(list[4].m_nBin, 29);
    EXPECT_DOUBLE_EQ(r.m_dDistortionPower, Db(4.0));
    EXPECT_DOUBLE_EQ(r.m_dNoisePower, Db(2.25 + 0.25 + 1.0));
    EXPECT_DOUBLE_EQ(r.m_dSfdr, Db(16.0 / 4.0));
}

TEST_F(FreqStats, AFundamentalAtANegativeFrequencyKeepsItsPower) {
    std::vector<double> re(32, 0.0);
    re[32 - 5] = 3.0;  // bin -5: power 9, the strongest
    re[32 - 2] = 1.0;  // bin -2: noise (every bin 1 ... 16 is a harmonic of bin -5)
    test::FillSpectrum(data, re, {}, false);
    const FreqStatResults r = stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList()[0].m_nBin, 27);
    EXPECT_EQ(r.m_dFundamentalFrequency, -5.0);
    EXPECT_DOUBLE_EQ(r.m_dFundamentalPower, Db(9.0));
    EXPECT_DOUBLE_EQ(r.m_dNoisePower, 0.0);
    EXPECT_DOUBLE_EQ(r.m_dSinad, Db(9.0));
}

TEST_F(FreqStats, RealDataSumsStopBelowTheHalfWhileComplexDataSumsTheWholeRange) {
    std::vector<double> re(32, 0.0);
    re[4] = 10.0;
    re[20] = 1.0;  // above the half
    test::FillSpectrum(data, re, {}, true);
    ASSERT_TRUE(data.SetRangeByIndex(0, 31, true));
    FreqStatResults r = stats.ComputeFrequencyStatistics();
    EXPECT_DOUBLE_EQ(r.m_dTotalPower, Db(100.0));
    EXPECT_EQ(stats.RankedList()[1].m_nBin, 20);  // ranked all the same

    data.m_bReal = 0;
    r = stats.ComputeFrequencyStatistics();
    EXPECT_DOUBLE_EQ(r.m_dTotalPower, Db(101.0));
}

TEST_F(FreqStats, SfdrIsDefinedForAnyListLength) {
    std::vector<double> re(64, 0.0);
    re[3] = 10.0;
    re[9] = 5.0;
    re[20] = 1.0;
    test::FillSpectrum(data, re);
    stats.SetListLength(1);
    EXPECT_EQ(stats.GetListLength(), 1);
    FreqStatResults r = stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList().GetCount(), 1);
    EXPECT_DOUBLE_EQ(r.m_dSfdr, Db(100.0 / 25.0));  // the strongest bin outside the list

    // Only one bin scanned: no spur at all, an infinite range.
    test::FillSpectrum(data, {0.0, 2.0, 0.0, 0.0}, {}, true);
    ASSERT_EQ(data.m_nStop, 1);
    stats.SetListLength(50);
    r = stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList().GetCount(), 1);
    EXPECT_TRUE(std::isinf(r.m_dSfdr) && r.m_dSfdr > 0);

    // Nothing scanned at all: no fundamental, every value defined.
    test::FillSpectrum(data, {5.0, 1.0}, {}, true);
    r = stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList().GetCount(), 0);
    EXPECT_EQ(r.m_dFundamentalFrequency, 0.0);
    for (double v : {r.m_dSfdr, r.m_dSinad, r.m_dSnr, r.m_dFundamentalPower}) EXPECT_FALSE(std::isnan(v));
    EXPECT_DOUBLE_EQ(r.m_dDcPower, Db(25.0));
}

TEST_F(FreqStats, ZeroDenominatorsGiveInfinityAndSilenceGivesMinus300) {
    std::vector<double> re(16, 0.0);
    re[2] = 1.0;
    test::FillSpectrum(data, re);
    FreqStatResults r = stats.ComputeFrequencyStatistics();
    EXPECT_TRUE(std::isinf(r.m_dSinad));
    EXPECT_TRUE(std::isinf(r.m_dSnr));
    EXPECT_TRUE(std::isinf(r.m_dSfdr));

    test::FillSpectrum(data, std::vector<double>(16, 0.0));
    r = stats.ComputeFrequencyStatistics();
    const double floorDb = 10.0 * std::log10(static_cast<double>(1e-30f));
    EXPECT_EQ(r.m_dSinad, floorDb);
    EXPECT_EQ(r.m_dSnr, floorDb);
    EXPECT_EQ(r.m_dSfdr, floorDb);
    EXPECT_EQ(r.m_dTotalPower, floorDb);
    EXPECT_NEAR(floorDb, -300.0, 1e-6);
}

TEST_F(FreqStats, ListLengthIsClampedAndTheRestHoldsEveryOtherScannedBin) {
    stats.SetListLength(1000);
    EXPECT_EQ(stats.GetListLength(), 100);
    stats.SetListLength(0);
    EXPECT_EQ(stats.GetListLength(), 1);
    stats.SetListLength(-7);
    EXPECT_EQ(stats.GetListLength(), 1);

    // 1000 scanned bins, list length 50: the 950 weakest are the rest.
    std::vector<double> re(2002, 0.0);
    double weakest = 0.0;
    for (int i = 1; i <= 1000; ++i) re[static_cast<size_t>(i)] = 1.0 + i * 0.001;
    test::FillSpectrum(data, re);
    ASSERT_EQ(data.m_nStop, 1000);
    for (int i = 1; i <= 950; ++i) weakest += re[static_cast<size_t>(i)] * re[static_cast<size_t>(i)];
    stats.SetListLength(50);
    stats.ComputeFrequencyStatistics();
    ASSERT_EQ(stats.RankedList().GetCount(), 50);
    EXPECT_DOUBLE_EQ(stats.RankedList().GetRestPower(), weakest);
    EXPECT_EQ(stats.RankedList().SmallerPower(49), stats.RankedList().GetRestPower());
    EXPECT_EQ(stats.RankedList()[0].m_nBin, 1000);
    EXPECT_EQ(stats.RankedList()[49].m_nBin, 951);

    stats.SetListLength(500);
    stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList().GetCount(), 100);
}

TEST_F(FreqStats, SumsMatchAPlainPassOverTheRange) {
    // A noisy complex spectrum with a tone and harmonics; the sums must equal
    // the bin-by-bin rule exactly (same order of additions).
    const int32_t n = 4096;
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::vector<double> re(n), im(n);
    for (int32_t i = 0; i < n; ++i) {
        re[i] = noise(rng);
        im[i] = noise(rng);
    }
    re[300] = 50.0;
    for (int k = 2; k <= 20; ++k) re[(k * 300) % n > n / 2 ? n - (k * 300) % n : (k * 300) % n] += 1.0 / k;
    test::FillSpectrum(data, re, im, false);
    ASSERT_TRUE(data.SetRangeByIndex(-1000, 1900, true));
    const FreqStatResults r = stats.ComputeFrequencyStatistics();
    ASSERT_EQ(stats.GetHarmonicBins()[0], 300);

    double total = 0.0, fund = 0.0, dist = 0.0, rest = 0.0;
    for (int32_t i = -1000; i <= 1900; ++i) {
        const int32_t s = i < 0 ? i + n : i;
        const double p = re[s] * re[s] + im[s] * im[s];
        total += p;
        const int32_t h = stats.HarmonicNumber(i);
        if (h == 0)
            rest += p;
        else if (h == 1)
            fund = p;
        else
            dist += p;
    }
    EXPECT_EQ(r.m_dTotalPower, data.ToDb(total, false));
    EXPECT_EQ(r.m_dFundamentalPower, data.ToDb(fund, false));
    EXPECT_EQ(r.m_dDistortionPower, data.ToDb(dist, false));
    EXPECT_EQ(r.m_dNoisePower, data.ToDb(rest, false));
    EXPECT_GT(dist, 0.0);
}

// A two-sided spectrum long enough for the sums to run beside the ranking:
// two bins share the greatest power, and the fundamental is the one the scan
// meets first (a negative index, scanned before 0); every result equals the
// one-thread computation and the plain sums.
TEST_F(FreqStats, LongSpectraGiveTheSameResultsOnOneOrSeveralThreads) {
    const int32_t n = (1 << 20) + 6;
    std::mt19937 rng(11);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::vector<double> re(static_cast<size_t>(n)), im(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        re[static_cast<size_t>(i)] = noise(rng);
        im[static_cast<size_t>(i)] = noise(rng);
    }
    for (int32_t tie : {n - 70000, 1000, 300000}) {
        re[static_cast<size_t>(tie)] = 30.0;
        im[static_cast<size_t>(tie)] = 0.0;
    }
    // The columns are sized once (appending a million values one by one
    // grows them step by step, slow under the sanitizers).
    data.m_bTime = 0;
    data.Reset();
    data.Inphase().SetSize(n);
    data.Quadrature().SetSize(n);
    std::copy(re.begin(), re.end(), data.Inphase().GetWritableData());
    std::copy(im.begin(), im.end(), data.Quadrature().GetWritableData());
    data.m_bReal = 0;
    data.ResetRange();
    data.ApplyFs(CFs(static_cast<double>(n)));
    ASSERT_TRUE(data.SetRangeByIndex(-n / 2, n / 2 - 1, true));

    FreqStatResults results[2];
    std::vector<CRankedList::Entry> lists[2];
    for (int run = 0; run < 2; ++run) {
        const int previous = CWorkerPool::SetThreadLimit(run == 0 ? 1 : CWorkerPool::kMaxThreads);
        results[run] = stats.ComputeFrequencyStatistics();
        CWorkerPool::SetThreadLimit(previous);
        for (int32_t i = 0; i < stats.RankedList().GetCount(); ++i) lists[run].push_back(stats.RankedList()[i]);
        ASSERT_EQ(stats.RankedList()[0].m_nBin, n - 70000);
        EXPECT_EQ(stats.GetHarmonicBins()[0], n - 70000);
    }
    EXPECT_EQ(results[0].m_dTotalPower, results[1].m_dTotalPower);
    EXPECT_EQ(results[0].m_dNoisePower, results[1].m_dNoisePower);
    EXPECT_EQ(results[0].m_dDistortionPower, results[1].m_dDistortionPower);
    EXPECT_EQ(results[0].m_dFundamentalPower, results[1].m_dFundamentalPower);
    EXPECT_EQ(results[0].m_dSfdr, results[1].m_dSfdr);
    ASSERT_EQ(lists[0].size(), lists[1].size());
    for (size_t i = 0; i < lists[0].size(); ++i) {
        EXPECT_EQ(lists[0][i].m_nBin, lists[1][i].m_nBin);
        EXPECT_EQ(lists[0][i].m_dPower, lists[1][i].m_dPower);
    }

    double total = 0.0, rest = 0.0;
    for (int32_t i = -n / 2; i <= n / 2 - 1; ++i) {
        const size_t s = static_cast<size_t>(i < 0 ? i + n : i);
        const double p = re[s] * re[s] + im[s] * im[s];
        total += p;
        if (s != static_cast<size_t>(n - 70000) && stats.HarmonicNumber(i) == 0) rest += p;
    }
    EXPECT_EQ(results[1].m_dTotalPower, data.ToDb(total, false));
    EXPECT_EQ(results[1].m_dNoisePower, data.ToDb(rest, false));
    EXPECT_EQ(results[1].m_dFundamentalPower, data.ToDb(900.0, false));
}

TEST_F(FreqStats, RankingShowsItsProgressAndStaysInsideStaleRanges) {
    test::FillSpectrum(data, {0.0, 1.0, 2.0, 3.0, 0.5, 0.25, 0.0, 0.0});
    data.m_nStart = -20;  // a range wider than the data addresses nothing beyond it
    data.m_nStop = 40;
    stats.SetListLength(100);
    stats.ComputeFrequencyStatistics();
    EXPECT_EQ(stats.RankedList().GetCount(), 16);  // each stored bin once per index addressing it
    EXPECT_EQ(platform.statusTexts.back(), "Gathering Frequency Statistics...");
    EXPECT_EQ(platform.waitCursorDepth, 0);
    EXPECT_GE(platform.waitCursorCount, 1);

    CFreqStats unbound;
    const FreqStatResults r = unbound.ComputeFrequencyStatistics();
    EXPECT_EQ(r.m_dFundamentalFrequency, 0.0);
    EXPECT_EQ(unbound.RankedList().GetCount(), 0);
}

}  // namespace
}  // namespace kv
