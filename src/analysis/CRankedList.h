#pragma once
#include <cstdint>

namespace kv {

// The strongest bins of a scan, in descending order of power, with the summed
// power of every scanned bin that did not make it into the list (the rest).
// Among equal powers the bin inserted first ranks first. The list has room
// for kMaxEntries entries; the capacity in use is set by Reset.
//
// The entries are kept weakest first in a window of a larger slot array, so
// that an insertion moves only the entries on the shorter side of its place
// (the weakest entry leaves by moving the window's low end): a scan whose
// powers keep rising inserts near the strong end and moves almost nothing.
class CRankedList {
public:
    static constexpr int32_t kMaxEntries = 100;

    struct Entry {
        double m_dPower;
        int32_t m_nBin;  // stored index of the bin
    };

    // Empties the list and the rest power; the capacity is clamped to
    // 0 ... kMaxEntries, so no length setting can overrun the list.
    void Reset(int32_t capacity);
    // Capacity 0, count 0 (the rest power is kept).
    void Clear() {
        m_nCapacity = 0;
        m_nCount = 0;
        m_nLow = kSlots / 2;
    }

    // One insertion: the new entry goes before the first entry whose power is
    // strictly less; when the list is full the last entry drops into the rest.
    // A power that does not rank goes into the rest. A NaN power never ranks.
    void InsertRanked(double power, int32_t bin) {
        // Fast path: a power that is not above the weakest entry only appends
        // (room left) or goes into the rest (list full).
        if (m_nCount == 0 || !(m_Slots[m_nLow].m_dPower < power)) {
            if (m_nCount < m_nCapacity && power == power) {
                if (m_nLow == 0) Recentre();
                m_Slots[--m_nLow] = {power, bin};
                ++m_nCount;
            } else {
                AddToRest(power);
            }
            return;
        }
        InsertAbove(power, bin);
    }

    // InsertRanked of the bin powers re[s]^2 + im[s]^2, stored bins s = first
    // ... last in that order.
    void InsertBins(const double* re, const double* im, int32_t first, int32_t last);

    // The rest power plus the powers of the entries after entry i.
    double SmallerPower(int32_t i) const;
    // The power of the second entry; with fewer than two entries, the
    // strongest power that went into the rest (0 when nothing did).
    double SecondPower() const { return m_nCount >= 2 ? (*this)[1].m_dPower : m_dRestPeak; }

    int32_t GetCount() const { return m_nCount; }
    int32_t GetCapacity() const { return m_nCapacity; }
    double GetRestPower() const { return m_dRestPower; }
    // Entry i in descending order (0 the strongest).
    const Entry& operator[](int32_t i) const { return m_Slots[m_nLow + m_nCount - 1 - i]; }

private:
    void AddToRest(double power) {
        m_dRestPower += power;
        if (power > m_dRestPeak) m_dRestPeak = power;
    }
    // The slow path of InsertRanked: the power ranks above the last entry.
    void InsertAbove(double power, int32_t bin);
    // The number of entries of power strictly less than power.
    int32_t PlaceOf(double power) const;
    // In a full list: the weakest entry leaves (the caller takes its power
    // into the rest) and the power, which ranks above it, enters.
    void ReplaceWeakest(double power, int32_t bin);
    // Moves the entries to the middle of the slots.
    void Recentre();

    static constexpr int32_t kSlots = 8 * kMaxEntries;
    // Entries in ascending order of rank: m_Slots[m_nLow] is the weakest,
    // m_Slots[m_nLow + m_nCount - 1] the strongest.
    Entry m_Slots[kSlots] = {};
    int32_t m_nLow = kSlots / 2;
    int32_t m_nCapacity = 0;
    int32_t m_nCount = 0;
    double m_dRestPower = 0.0;
    double m_dRestPeak = 0.0;  // strongest power in the rest
};

}  // namespace kv
