#include "data/CDataColumn.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/CArchive.h"

namespace kv {

namespace {

// Columns from this many values on are kept by reference in files that can
// hold blocks that way (undo snapshots).
constexpr int32_t kShareFrom = 512;

}  // namespace

void CDataColumn::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteI32(m_nSize);
        if (m_nSize >= kShareFrom)
            ar.WriteShared(ShareValues());
        else
            ar.WriteDoubles(m_pData, static_cast<size_t>(m_nSize));
    } else {
        int32_t n = ar.ReadI32();
        if (n < 0) throw CArchiveException{CArchiveException::badFormat};
        ar.CheckRemaining(static_cast<uint64_t>(n), sizeof(double));
        CSharedBytes block;
        if (n > 0 && ar.ReadShared(static_cast<size_t>(n) * sizeof(double), block) && AdoptValues(block)) return;
        SetSize(0);
        SetSize(n);
        ar.ReadDoubles(GetWritableData(), static_cast<size_t>(n));
    }
}

void CDataColumn::CopyFrom(const CDataColumn& other) {
    if (this == &other) return;
    m_strName = other.m_strName;
    m_nTag1 = other.m_nTag1;
    m_nTag2 = other.m_nTag2;
    // The values are shared until one of the columns writes.
    CFloatArray::operator=(other);
}

void CDataColumn::ZeroAll() {
    if (m_nSize == 0) return;
    double* p = GetWritableData();
    std::fill(p, p + m_nSize, 0.0);
}

void CDataColumn::Negate() {
    if (m_nSize == 0) return;
    double* p = GetWritableData();
    for (int32_t i = 0; i < m_nSize; ++i) p[i] = -p[i];
}

void CDataColumn::Reverse() {
    if (m_nSize == 0) return;
    double* p = GetWritableData();
    std::reverse(p, p + m_nSize);
}

void CDataColumn::RotateRight() {
    if (m_nSize < 1) return;
    double* p = GetWritableData();
    std::rotate(p, p + m_nSize - 1, p + m_nSize);
}

int32_t CDataColumn::NearestIndex(double x) const {
    if (m_nSize == 0) return -1;
    if (m_nSize == 1) return 0;
    int32_t best = 0;
    double bestDist = std::fabs(x - m_pData[0]);
    for (int32_t i = 1; i < m_nSize; ++i) {
        double d = std::fabs(x - m_pData[i]);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

double CDataColumn::GetMin() const {
    if (m_nSize == 0) return 0.0;
    double v = m_pData[0];
    for (int32_t i = 1; i < m_nSize; ++i)
        if (m_pData[i] < v) v = m_pData[i];
    return v;
}

double CDataColumn::GetMax() const {
    if (m_nSize == 0) return 0.0;
    double v = m_pData[0];
    for (int32_t i = 1; i < m_nSize; ++i)
        if (m_pData[i] > v) v = m_pData[i];
    return v;
}

double CDataColumn::GetSum() const {
    double s = 0.0;
    for (int32_t i = 0; i < m_nSize; ++i) s += m_pData[i];
    return s;
}

void CDataColumn::InsertValues(int32_t index, int32_t n, double value) {
    if (n <= 0) return;
    if (index < 0) index = 0;
    if (index > m_nSize) index = m_nSize;
    int32_t old = m_nSize;
    SetSize(old + n);
    double* p = GetWritableData();
    std::memmove(p + index + n, p + index, sizeof(double) * static_cast<size_t>(old - index));
    std::fill(p + index, p + index + n, value);
}

}  // namespace kv
