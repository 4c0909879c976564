#include "data/CDataColumn.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/CArchive.h"

namespace kv {

void CDataColumn::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteI32(m_nSize);
        ar.WriteDoubles(m_pData, static_cast<size_t>(m_nSize));
    } else {
        int32_t n = ar.ReadI32();
        if (n < 0) throw CArchiveException{CArchiveException::badFormat};
        ar.CheckRemaining(static_cast<uint64_t>(n), sizeof(double));
        SetSize(0);
        SetSize(n);
        ar.ReadDoubles(m_pData, static_cast<size_t>(n));
    }
}

void CDataColumn::CopyFrom(const CDataColumn& other) {
    if (this == &other) return;
    m_strName = other.m_strName;
    m_nTag1 = other.m_nTag1;
    m_nTag2 = other.m_nTag2;
    SetSize(0);
    if (other.m_nSize > 0) {
        SetSize(other.m_nSize);
        std::memcpy(m_pData, other.m_pData, sizeof(double) * static_cast<size_t>(other.m_nSize));
    }
}

void CDataColumn::ZeroAll() { std::fill(begin(), end(), 0.0); }

void CDataColumn::Negate() {
    for (double& v : *this) v = -v;
}

void CDataColumn::Reverse() { std::reverse(begin(), end()); }

void CDataColumn::RotateRight() {
    if (m_nSize < 1) return;
    std::rotate(begin(), end() - 1, end());
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
    std::memmove(m_pData + index + n, m_pData + index, sizeof(double) * static_cast<size_t>(old - index));
    std::fill(m_pData + index, m_pData + index + n, value);
}

}  // namespace kv
