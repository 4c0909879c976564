#include "analysis/CRankedList.h"

#include <algorithm>
#include <bit>
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

namespace {

// A key that orders doubles as < does (minus zero equal to zero); never NaN.
uint64_t OrderKey(double x) {
    if (x == 0.0) x = 0.0;
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63);
}

}  // namespace

void CRankedList::InsertBins(const double* re, const double* im, int32_t first, int32_t last) {
    int64_t s = first;
    // Until the list is full (a list without room at all takes every bin
    // through InsertRanked).
    for (; s <= last && (m_nCount < m_nCapacity || m_nCount == 0); ++s)
        InsertRanked(re[s] * re[s] + im[s] * im[s], static_cast<int32_t>(s));
    if (s > last) return;

    // A full list: a power that does not rank goes into the rest; one that
    // ranks replaces the weakest entry, which goes into the rest instead. The
    // entries sit in the leaves of a tournament tree whose inner nodes hold
    // the weaker leaf of their two subtrees, so a replacement costs one walk
    // from the leaf to the root, with no moves and no data-dependent
    // branches; the slots take the entries back in rank order at the end.
    // Leaf order: the later entry is the weaker one among equal powers.
    constexpr int32_t kLeaves = 128;
    static_assert(kLeaves >= kMaxEntries);
    int32_t leaves = 1;
    while (leaves < m_nCount) leaves *= 2;
    double power[kLeaves];
    int32_t bin[kLeaves];
    uint64_t key[kLeaves];
    int64_t order[kLeaves];    // insertion order among the entries
    uint32_t node[2 * kLeaves];  // node[leaves + i] = i; node[1] the weakest leaf
    for (int32_t i = 0; i < leaves; ++i) {
        if (i < m_nCount) {
            // Slot m_nLow + i: i = 0 the weakest, inserted after any
            // stronger entry of its power.
            power[i] = m_Slots[m_nLow + i].m_dPower;
            bin[i] = m_Slots[m_nLow + i].m_nBin;
            key[i] = OrderKey(power[i]);
            order[i] = m_nCount - 1 - i;
        } else {
            power[i] = 0.0;
            bin[i] = 0;
            key[i] = ~uint64_t{0};  // stronger than any entry: never the weakest
            order[i] = -1;
        }
        node[leaves + i] = static_cast<uint32_t>(i);
    }
    auto weaker = [&](uint32_t a, uint32_t b) {
        return key[a] < key[b] || (key[a] == key[b] && order[a] > order[b]);
    };
    for (int32_t n = leaves - 1; n >= 1; --n) {
        const uint32_t a = node[2 * n], b = node[2 * n + 1];
        node[n] = weaker(a, b) ? a : b;
    }

    int64_t nextOrder = m_nCount;
    double rest = m_dRestPower;
    double peak = m_dRestPeak;
    double weakest = power[node[1]];
    // Blocks of 64 bins: the powers that may rank (above the weakest entry as
    // the block starts; it only rises) are marked first, so the scan branches
    // once per candidate instead of once per bin. leaving[j] is what the bin
    // adds to the rest, in scan order: its own power, or the power of the
    // entry it pushes out.
    constexpr int32_t kBlock = 64;
    double leaving[kBlock];
    while (s <= last) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(kBlock, last - s + 1));
        uint64_t candidates = 0;
        for (int32_t j = 0; j < n; ++j) {
            const double p = re[s + j] * re[s + j] + im[s + j] * im[s + j];
            leaving[j] = p;
            candidates |= static_cast<uint64_t>(weakest < p) << j;
        }
        for (; candidates; candidates &= candidates - 1) {
            const int32_t j = std::countr_zero(candidates);
            const double p = leaving[j];
            if (!(weakest < p)) continue;
            leaving[j] = weakest;
            const uint32_t leaf = node[1];
            power[leaf] = p;
            bin[leaf] = static_cast<int32_t>(s + j);
            const uint64_t k = OrderKey(p);
            const int64_t o = nextOrder++;
            key[leaf] = k;
            order[leaf] = o;
            // The new entry is the latest: among equal powers it is the weaker.
            uint32_t winner = leaf;
            uint64_t winnerKey = k;
            int64_t winnerOrder = o;
            for (uint32_t at = static_cast<uint32_t>(leaves) + leaf; at > 1; at >>= 1) {
                const uint32_t other = node[at ^ 1];
                const uint64_t otherKey = key[other];
                const int64_t otherOrder = order[other];
                const bool keep = (winnerKey < otherKey) | ((winnerKey == otherKey) & (winnerOrder > otherOrder));
                winner = keep ? winner : other;
                winnerKey = keep ? winnerKey : otherKey;
                winnerOrder = keep ? winnerOrder : otherOrder;
                node[at >> 1] = winner;
            }
            weakest = power[node[1]];
        }
        for (int32_t j = 0; j < n; ++j) {
            rest += leaving[j];
            peak = leaving[j] > peak ? leaving[j] : peak;
        }
        s += n;
    }
    m_dRestPower = rest;
    m_dRestPeak = peak;

    // Back into the slots, weakest first.
    uint32_t rank[kLeaves];
    for (int32_t i = 0; i < m_nCount; ++i) rank[i] = static_cast<uint32_t>(i);
    std::sort(rank, rank + m_nCount, [&](uint32_t a, uint32_t b) { return weaker(a, b); });
    for (int32_t i = 0; i < m_nCount; ++i) m_Slots[m_nLow + i] = {power[rank[i]], bin[rank[i]]};
}

double CRankedList::SmallerPower(int32_t i) const {
    double sum = m_dRestPower;
    for (int32_t j = i + 1; j < m_nCount; ++j) sum += (*this)[j].m_dPower;
    return sum;
}

}  // namespace kv
