#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "analysis/CRankedList.h"

namespace kv {
namespace {

// The ranking rule written the plain way: linear search for the first entry
// of strictly smaller power; a full list drops its last entry into the rest.
struct PlainRanking {
    std::vector<CRankedList::Entry> entries;
    size_t capacity;
    double rest = 0.0;
    void Insert(double power, int32_t bin) {
        size_t k = 0;
        while (k < entries.size() && !(entries[k].m_dPower < power)) ++k;
        if (k < entries.size()) {
            if (entries.size() == capacity) {
                rest += entries.back().m_dPower;
                entries.pop_back();
            }
            entries.insert(entries.begin() + static_cast<long>(k), {power, bin});
        } else if (entries.size() < capacity) {
            entries.push_back({power, bin});
        } else {
            rest += power;
        }
    }
};

TEST(RankedList, EqualPowersRankInInsertionOrderAndTheWeakestGoToTheRest) {
    CRankedList list;
    list.Reset(3);
    list.InsertRanked(2.0, 10);
    list.InsertRanked(5.0, 11);
    list.InsertRanked(2.0, 12);
    list.InsertRanked(5.0, 13);  // equal to the first 5: ranks after it
    list.InsertRanked(2.0, 14);  // equal to the last entry of a full list: rest
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list[0].m_nBin, 11);
    EXPECT_EQ(list[1].m_nBin, 13);
    EXPECT_EQ(list[2].m_nBin, 10);
    EXPECT_EQ(list.GetRestPower(), 4.0);  // bins 12 (dropped) and 14
    EXPECT_EQ(list.SmallerPower(2), 4.0);
    EXPECT_EQ(list.SmallerPower(1), 6.0);
    EXPECT_EQ(list.SmallerPower(0), 11.0);
}

TEST(RankedList, SingleAndRunInsertionsMatchThePlainRuleOnSpectraWithManyTies) {
    std::mt19937 rng(12345);
    for (size_t capacity : {1u, 2u, 7u, 50u, 100u}) {
        for (int round = 0; round < 20; ++round) {
            std::uniform_int_distribution<int> level(0, round % 2 ? 5 : 1000);
            // Amplitudes of few distinct levels make ties common; some runs
            // rise steadily. Their squares are exact.
            std::vector<double> re, im(2000, 0.0);
            for (int32_t bin = 0; bin < 2000; ++bin) re.push_back(round % 5 == 4 ? bin * 0.5 : level(rng) * 0.5);
            CRankedList single, run;
            single.Reset(static_cast<int32_t>(capacity));
            run.Reset(static_cast<int32_t>(capacity));
            PlainRanking plain{{}, capacity};
            for (int32_t bin = 0; bin < 2000; ++bin) {
                single.InsertRanked(re[bin] * re[bin], bin);
                plain.Insert(re[bin] * re[bin], bin);
            }
            run.InsertBins(re.data(), im.data(), 0, 999);  // in two runs, as a two-sided scan does
            run.InsertBins(re.data(), im.data(), 1000, 1999);
            for (const CRankedList* list : {&single, &run}) {
                ASSERT_EQ(list->GetCount(), static_cast<int32_t>(plain.entries.size()));
                for (int32_t i = 0; i < list->GetCount(); ++i) {
                    EXPECT_EQ((*list)[i].m_nBin, plain.entries[static_cast<size_t>(i)].m_nBin) << capacity << " " << i;
                    EXPECT_EQ((*list)[i].m_dPower, plain.entries[static_cast<size_t>(i)].m_dPower);
                }
                EXPECT_EQ(list->GetRestPower(), plain.rest) << "capacity " << capacity << " round " << round;
            }
        }
    }
}

// Long scans whose powers rise with noise, fall and rise again, or zigzag:
// the entries move both ways through their slots many times over, and the
// list, its order and the rest (summed in the order bins leave) must stay
// those of the plain rule.
TEST(RankedList, LongRisingFallingAndZigzagScansMatchThePlainRule) {
    std::mt19937 rng(777);
    std::normal_distribution<double> noise(0.0, 1.0);
    const int32_t n = 30000;
    for (int shape = 0; shape < 3; ++shape) {
        std::vector<double> re(static_cast<size_t>(n)), im(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            double level = shape == 0 ? i : shape == 1 ? std::abs(i - n / 2) : (i % 997) * ((i / 997) % 2 ? -1 : 1);
            re[static_cast<size_t>(i)] = 1000.0 + level + 20.0 * noise(rng);
            im[static_cast<size_t>(i)] = noise(rng);
        }
        for (size_t capacity : {1u, 3u, 100u}) {
            CRankedList run;
            run.Reset(static_cast<int32_t>(capacity));
            PlainRanking plain{{}, capacity};
            for (int32_t i = 0; i < n; ++i)
                plain.Insert(re[static_cast<size_t>(i)] * re[static_cast<size_t>(i)] +
                                 im[static_cast<size_t>(i)] * im[static_cast<size_t>(i)],
                             i);
            run.InsertBins(re.data(), im.data(), 0, n - 1);
            ASSERT_EQ(run.GetCount(), static_cast<int32_t>(plain.entries.size()));
            for (int32_t i = 0; i < run.GetCount(); ++i) {
                ASSERT_EQ(run[i].m_nBin, plain.entries[static_cast<size_t>(i)].m_nBin) << shape << " " << i;
                ASSERT_EQ(run[i].m_dPower, plain.entries[static_cast<size_t>(i)].m_dPower);
            }
            EXPECT_EQ(run.GetRestPower(), plain.rest) << "shape " << shape << " capacity " << capacity;
            if (run.GetCount() >= 2) {
                EXPECT_EQ(run.SecondPower(), run[1].m_dPower);
            }
        }
    }
}

// Infinite, huge, zero and subnormal powers, and NaN, arriving after the list
// is full and across the scan's blocks: the same entries, order and rest as
// the plain rule (a NaN makes the rest NaN and never ranks).
TEST(RankedList, ExtremePowersInAFullListMatchThePlainRule) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double special[] = {inf, 1e154, 0.0, -0.0, 1e-160, 3.0, inf, 2.0, 1e154};
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> pick(0, 20);
    for (bool withNaN : {false, true}) {
        for (int32_t capacity : {1, 2, 5, 100}) {
            std::vector<double> re(500), im(500, 0.0);
            for (size_t i = 0; i < re.size(); ++i) {
                const int r = pick(rng);
                re[i] = r < 9 ? special[r] : 0.001 * static_cast<double>(i % 97);
            }
            if (withNaN) re[250] = nan;
            CRankedList run;
            run.Reset(capacity);
            PlainRanking plain{{}, static_cast<size_t>(capacity)};
            for (size_t i = 0; i < re.size(); ++i) plain.Insert(re[i] * re[i] + im[i] * im[i], static_cast<int32_t>(i));
            run.InsertBins(re.data(), im.data(), 0, 130);
            run.InsertBins(re.data(), im.data(), 131, 499);
            ASSERT_EQ(run.GetCount(), static_cast<int32_t>(plain.entries.size()));
            for (int32_t i = 0; i < run.GetCount(); ++i) {
                EXPECT_EQ(run[i].m_nBin, plain.entries[static_cast<size_t>(i)].m_nBin) << capacity << " " << i;
                EXPECT_EQ(run[i].m_dPower, plain.entries[static_cast<size_t>(i)].m_dPower);
            }
            if (withNaN) {
                EXPECT_TRUE(std::isnan(run.GetRestPower()));
            } else {
                EXPECT_EQ(run.GetRestPower(), plain.rest) << capacity;
            }
        }
    }
}

TEST(RankedList, SecondPowerFallsBackToTheStrongestRestAndNaNNeverRanks) {
    CRankedList list;
    list.Reset(1);
    list.InsertRanked(1.0, 1);
    EXPECT_EQ(list.SecondPower(), 0.0);  // nothing else scanned
    list.InsertRanked(9.0, 2);
    list.InsertRanked(4.0, 3);
    list.InsertRanked(0.5, 4);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list[0].m_nBin, 2);
    EXPECT_EQ(list.SecondPower(), 4.0);

    CRankedList withNaN;
    withNaN.Reset(3);
    withNaN.InsertRanked(std::numeric_limits<double>::quiet_NaN(), 0);
    withNaN.InsertRanked(2.0, 1);
    withNaN.InsertRanked(std::numeric_limits<double>::quiet_NaN(), 2);
    withNaN.InsertRanked(3.0, 3);
    withNaN.InsertRanked(1.0, 4);
    ASSERT_EQ(withNaN.GetCount(), 3);
    EXPECT_EQ(withNaN[0].m_nBin, 3);
    EXPECT_EQ(withNaN[1].m_nBin, 1);
    EXPECT_EQ(withNaN[2].m_nBin, 4);
    EXPECT_EQ(withNaN.SecondPower(), 2.0);
    EXPECT_TRUE(std::isnan(withNaN.GetRestPower()));
}

// A run whose first power is NaN leaves the list empty after its first bin;
// the run must not look at the weakest entry of an empty list (the sanitizer
// build reports the read before the list).
TEST(RankedList, RunStartingWithNaNRanksTheRestOfTheRun) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> re = {nan, 0.0, 0.0, 0.0, 2.0}, im(5, 0.0);
    for (int32_t capacity : {1, 3, 100}) {
        CRankedList list;
        list.Reset(capacity);
        list.InsertBins(re.data(), im.data(), 0, 4);
        ASSERT_EQ(list.GetCount(), std::min(capacity, 4)) << capacity;
        EXPECT_EQ(list[0].m_nBin, 4);
        EXPECT_EQ(list[0].m_dPower, 4.0);
        if (capacity >= 3) {
            EXPECT_EQ(list[1].m_nBin, 1);
        }
        EXPECT_TRUE(std::isnan(list.GetRestPower()));
    }
}

}  // namespace
}  // namespace kv
