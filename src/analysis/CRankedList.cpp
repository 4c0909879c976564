#include "analysis/CRankedList.h"

#include <algorithm>
#include <cstring>

namespace kv {

void CRankedList::Reset(int32_t capacity) {
    m_nCapacity = std::clamp(capacity, int32_t{0}, kMaxEntries);
    m_nCount = 0;
    m_dRestPower = 0.0;
    m_dRestPeak = 0.0;
}

void CRankedList::InsertAbove(double power, int32_t bin) {
    // The entries are in descending order and hold no NaN, so "not strictly
    // less than the new power" holds for a leading run of them: the first
    // entry outside that run is the place of the new one. The search halves
    // the run without branches (the data decides nothing predictable here).
    Entry* place = m_Entries;
    for (int32_t n = m_nCount; n > 1;) {
        const int32_t half = n / 2;
        place = !(place[half].m_dPower < power) ? place + half : place;
        n -= half;
    }
    if (!(place->m_dPower < power)) ++place;
    if (m_nCount == m_nCapacity) {
        AddToRest(m_Entries[m_nCount - 1].m_dPower);
    } else {
        ++m_nCount;
    }
    const auto k = place - m_Entries;
    std::memmove(place + 1, place, static_cast<size_t>(m_nCount - 1 - k) * sizeof(Entry));
    *place = {power, bin};
}

void CRankedList::InsertBins(const double* re, const double* im, int32_t first, int32_t last) {
    // The common case, a full list and a power that does not rank, runs on
    // locals; everything else goes through InsertRanked.
    double rest = m_dRestPower;
    double peak = m_dRestPeak;
    double weakest = m_nCount > 0 ? m_Entries[m_nCount - 1].m_dPower : 0.0;
    for (int64_t s = first; s <= last; ++s) {
        const double power = re[s] * re[s] + im[s] * im[s];
        if (m_nCount == m_nCapacity && (m_nCount == 0 || !(weakest < power))) {
            rest += power;
            peak = power > peak ? power : peak;
            continue;
        }
        m_dRestPower = rest;
        m_dRestPeak = peak;
        InsertRanked(power, static_cast<int32_t>(s));
        rest = m_dRestPower;
        peak = m_dRestPeak;
        // A power that never ranks (NaN) leaves the list as empty as it was.
        weakest = m_nCount > 0 ? m_Entries[m_nCount - 1].m_dPower : 0.0;
    }
    m_dRestPower = rest;
    m_dRestPeak = peak;
}

double CRankedList::SmallerPower(int32_t i) const {
    double sum = m_dRestPower;
    for (int32_t j = i + 1; j < m_nCount; ++j) sum += m_Entries[j].m_dPower;
    return sum;
}

}  // namespace kv
