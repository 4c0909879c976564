#pragma once
#include <cstdint>
#include <string>

#include "data/CFloatArray.h"

namespace kv {

class CArchive;

// A named column of doubles with two attributes that are copied with it.
class CDataColumn : public CFloatArray {
public:
    CDataColumn() = default;
    virtual ~CDataColumn() = default;
    CDataColumn(const CDataColumn&) = default;
    CDataColumn& operator=(const CDataColumn&) = default;

    virtual const char* GetRuntimeClassName() const { return "CDataColumn"; }
    // A 32-bit count, then the values; the name and attributes are not stored.
    virtual void Serialize(CArchive& ar);

    void CopyFrom(const CDataColumn& other);
    void ZeroAll();
    void Negate();
    void Reverse();
    void RotateRight();
    // Index of the value nearest to x (the lowest on ties); -1 when empty.
    int32_t NearestIndex(double x) const;
    double GetMin() const;
    double GetMax() const;
    double GetSum() const;
    double GetMean() const { return GetSum() / m_nSize; }
    // Moves the values from index on up by n places and fills the gap with value.
    void InsertValues(int32_t index, int32_t n, double value);

    std::string m_strName;
    int32_t m_nTag1 = 0;
    int32_t m_nTag2 = 0;
};

}  // namespace kv
