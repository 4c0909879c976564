#pragma once
#include <cstdint>
#include <memory>

#include "platform/CSharedBytes.h"

namespace kv {

// A growable array of doubles. It grows in steps of m_nGrowBy values (or to
// the size asked for, if that is larger) and never shrinks unless emptied.
// An allocation that cannot be made raises std::bad_alloc.
//
// The values live in a block that copies of the array, and undo snapshots,
// share until one of them writes: reading goes through the const accessors,
// writing through GetWritableData or SetAt, which first give this array a
// block of its own when the block is shared (copy on write). Growing the
// array counts as writing.
class CFloatArray {
public:
    CFloatArray() = default;
    ~CFloatArray() = default;
    CFloatArray(const CFloatArray& other);
    CFloatArray& operator=(const CFloatArray& other);
    CFloatArray(CFloatArray&& other) noexcept;
    CFloatArray& operator=(CFloatArray&& other) noexcept;

    void SetSize(int32_t n);
    void Append(double x) {
        if (m_nSize < m_nMaxSize && m_bOwn) {
            m_pData[m_nSize++] = x;
        } else {
            SetSize(m_nSize + 1);
            m_pData[m_nSize - 1] = x;
        }
    }
    void SetAt(int32_t i, double x) {
        if (!m_bOwn) MakeOwn();
        m_nStamp = 0;
        m_pData[i] = x;
    }

    int32_t GetSize() const { return m_nSize; }
    int32_t GetMaxSize() const { return m_nMaxSize; }
    int32_t GetGrowBy() const { return m_nGrowBy; }
    const double* GetData() const { return m_pData; }
    // The values for writing: the block becomes this array's own first.
    double* GetWritableData() {
        if (!m_bOwn) MakeOwn();
        m_nStamp = 0;
        return m_pData;
    }
    double operator[](int32_t i) const { return m_pData[i]; }
    const double* begin() const { return m_pData; }
    const double* end() const { return m_pData + m_nSize; }

    // A number that names the values as they are now: it changes whenever
    // they may have changed (a length set, the values taken for writing) and
    // is never given to other values. Copies of the array share it.
    uint64_t GetStamp() const;

    // Whether another array or a snapshot holds this array's block too.
    bool IsShared() const;
    // The values in use as a block others may hold (the array keeps it too;
    // whoever writes next gets a copy).
    CSharedBytes ShareValues() const;
    // Takes a block that ShareValues gave (of this class): the array then
    // holds those values, shared. False, with nothing changed, for a block of
    // another kind or a size that is not a whole number of values.
    bool AdoptValues(const CSharedBytes& block);

protected:
    // The block behind the values; others may hold it too.
    struct CBlock;
    // Gives this array a block of its own holding its values.
    void MakeOwn();

    std::shared_ptr<CBlock> m_pBlock;
    double* m_pData = nullptr;
    int32_t m_nSize = 0;
    int32_t m_nMaxSize = 0;
    int32_t m_nGrowBy = 1024;
    // The block is known to be this array's alone (so writes need no check).
    mutable bool m_bOwn = true;
    // 0: not named yet (GetStamp gives the values a new number).
    mutable uint64_t m_nStamp = 0;
};

}  // namespace kv
