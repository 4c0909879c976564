#include "analysis/CRankedList.h"

#include <algorithm>
#include <cstring>

namespace kv {

void CRankedList::Reset(int32_t capacity) {
    m_nCapacity = std::clamp(capacity, int32_t{0}, kMaxEntries);
    m_nCount = 0;
    m_nLow = kSlots / 2;
    m_dRestPower = 0.0;
    m_dRestPeak = 0.0;
}

void CRankedList::Recentre() {
    const int32_t low = (kSlots - m_nCount) / 2;
    std::memmove(m_Slots + low, m_Slots + m_nLow, static_cast<size_t>(m_nCount) * sizeof(Entry));
    m_nLow = low;
}

int32_t CRankedList::PlaceOf(double power) const {
    // The entries are in ascending order of rank and hold no NaN; among
    // equal powers the later one ranks lower, so a new entry goes below
    // every entry of its power: its place is the number of entries of
    // strictly smaller power. The search halves the window without branches
    // (the data decides nothing predictable here).
    const Entry* base = m_Slots + m_nLow;
    for (int32_t n = m_nCount; n > 1;) {
        const int32_t half = n / 2;
        base = base[half].m_dPower < power ? base + half : base;
        n -= half;
    }
    return static_cast<int32_t>(base - (m_Slots + m_nLow)) + (base->m_dPower < power ? 1 : 0);
}

void CRankedList::ReplaceWeakest(double power, int32_t bin) {
    // The weakest entry leaves; the entries below the new one's place move
    // down one slot, or those above it move up one, whichever are fewer.
    const int32_t k = PlaceOf(power);  // at least 1: it ranks above the weakest
    const int32_t below = k - 1;
    const int32_t above = m_nCount - k;
    if (below <= above) {
        std::memmove(m_Slots + m_nLow, m_Slots + m_nLow + 1, static_cast<size_t>(below) * sizeof(Entry));
        m_Slots[m_nLow + below] = {power, bin};
    } else {
        if (m_nLow + m_nCount == kSlots) Recentre();
        Entry* place = m_Slots + m_nLow + k;
        std::memmove(place + 1, place, static_cast<size_t>(above) * sizeof(Entry));
        *place = {power, bin};
        ++m_nLow;
    }
}

void CRankedList::InsertAbove(double power, int32_t bin) {
    if (m_nCount == m_nCapacity) {
        AddToRest(m_Slots[m_nLow].m_dPower);
        ReplaceWeakest(power, bin);
        return;
    }
    // Room left: the list grows at the side with fewer entries to move.
    const int32_t k = PlaceOf(power);
    const int32_t below = k;
    const int32_t above = m_nCount - k;
    if (below <= above) {
        if (m_nLow == 0) Recentre();
        std::memmove(m_Slots + m_nLow - 1, m_Slots + m_nLow, static_cast<size_t>(below) * sizeof(Entry));
        --m_nLow;
        m_Slots[m_nLow + below] = {power, bin};
    } else {
        if (m_nLow + m_nCount == kSlots) Recentre();
        Entry* place = m_Slots + m_nLow + k;
        std::memmove(place + 1, place, static_cast<size_t>(above) * sizeof(Entry));
        *place = {power, bin};
    }
    ++m_nCount;
}

void CRankedList::InsertBins(const double* re, const double* im, int32_t first, int32_t last) {
    int64_t s = first;
    // Until the list is full (a list without room at all takes every bin
    // through InsertRanked).
    for (; s <= last && (m_nCount < m_nCapacity || m_nCount == 0); ++s)
        InsertRanked(re[s] * re[s] + im[s] * im[s], static_cast<int32_t>(s));
    // A full list: a power that does not rank goes into the rest; one that
    // ranks replaces the weakest entry, which goes into the rest instead.
    // The sums stay in registers.
    double rest = m_dRestPower;
    double peak = m_dRestPeak;
    double weakest = s <= last ? m_Slots[m_nLow].m_dPower : 0.0;
    for (; s <= last; ++s) {
        const double power = re[s] * re[s] + im[s] * im[s];
        double leaving = power;
        if (weakest < power) {
            leaving = weakest;
            ReplaceWeakest(power, static_cast<int32_t>(s));
            weakest = m_Slots[m_nLow].m_dPower;
        }
        rest += leaving;
        peak = leaving > peak ? leaving : peak;
    }
    m_dRestPower = rest;
    m_dRestPeak = peak;
}

double CRankedList::SmallerPower(int32_t i) const {
    double sum = m_dRestPower;
    for (int32_t j = i + 1; j < m_nCount; ++j) sum += (*this)[j].m_dPower;
    return sum;
}

}  // namespace kv
