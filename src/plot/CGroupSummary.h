#pragma once
#include <cmath>
#include <cstdint>

namespace kv {

// What a plot needs to know of one group of consecutive samples of one
// component (I, Q, power or phase): its smallest and largest finite value
// with the first working index of each, the sum of its finite values and
// how many samples it holds. Samples that are not finite (NaN, infinite)
// take no part in the values; a group of only such samples has no values
// (HasValues() is false) and is drawn as a gap.
//
// Summaries of neighbouring groups merge into the summary of the joined
// group, so a summary of a long run can be put together from summaries of
// fixed blocks computed once.
struct CGroupSummary {
    double m_dMin = HUGE_VAL;
    double m_dMax = -HUGE_VAL;
    int32_t m_nMinIndex = 0;
    int32_t m_nMaxIndex = 0;
    double m_dSum = 0.0;
    int64_t m_nCount = 0;

    bool HasValues() const { return m_dMin <= m_dMax; }

    // Joins the summary of the group that follows this one (ties keep the
    // earlier index).
    void Merge(const CGroupSummary& next) {
        if (next.m_dMin < m_dMin) {
            m_dMin = next.m_dMin;
            m_nMinIndex = next.m_nMinIndex;
        }
        if (next.m_dMax > m_dMax) {
            m_dMax = next.m_dMax;
            m_nMaxIndex = next.m_nMaxIndex;
        }
        m_dSum += next.m_dSum;
        m_nCount += next.m_nCount;
    }

    // The sample of largest size, the first of equals: the largest value
    // when sizes are the values themselves (powers), else the value of
    // largest magnitude.
    int32_t PeakIndex(bool valueIsSize) const {
        if (valueIsSize) return m_nMaxIndex;
        double lo = std::fabs(m_dMin);
        double hi = std::fabs(m_dMax);
        if (hi > lo) return m_nMaxIndex;
        if (lo > hi) return m_nMinIndex;
        return m_nMinIndex < m_nMaxIndex ? m_nMinIndex : m_nMaxIndex;
    }
    double PeakValue(bool valueIsSize) const { return PeakIndex(valueIsSize) == m_nMaxIndex ? m_dMax : m_dMin; }
};

}  // namespace kv
