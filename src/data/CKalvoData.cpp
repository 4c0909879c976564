#include "data/CKalvoData.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/CArchive.h"
#include "platform/CPlatform.h"

namespace kv {

CKalvoData::CKalvoData() { CKalvoData::Reset(); }

CKalvoData::CKalvoData(const CKalvoData& other) : CDataSetIO(other) { CopyOwnMembers(other); }

CKalvoData& CKalvoData::operator=(const CKalvoData& other) {
    if (this == &other) return *this;
    CDataSetIO::operator=(other);
    CopyOwnMembers(other);
    return *this;
}

void CKalvoData::CopyOwnMembers(const CKalvoData& other) {
    m_bTime = other.m_bTime;
    m_bReal = other.m_bReal;
    m_dFs = other.m_dFs;
    m_dHalfFs = other.m_dHalfFs;
    m_dStep = other.m_dStep;
    m_nWindow = other.m_nWindow;
    m_nStart = other.m_nStart;
    m_nStop = other.m_nStop;
    m_nCount = other.m_nCount;
    m_nHalf = other.m_nHalf;
    m_nMinSpan = other.m_nMinSpan;
    m_fMinDb = other.m_fMinDb;
    m_Fs = other.m_Fs;
    m_dDbOffset = other.m_dDbOffset;
    m_strDbLabel = other.m_strDbLabel;
    BindColumns();
}

void CKalvoData::BindColumns() {
    while (GetColumnCount() < 2) AddColumn();
    m_pInphase = &GetColumn(0);
    m_pQuadrature = &GetColumn(1);
}

void CKalvoData::Reset() {
    DeleteColumns();
    AddColumn();
    AddColumn();
    BindColumns();
    m_nWindow = -1;
    m_bReal = 1;
    m_nStart = m_nStop = m_nCount = m_nHalf = 0;
}

void CKalvoData::Serialize(CArchive& ar, int version) {
    if (ar.IsStoring()) {
        CDataSetIO::Serialize(ar, version);
        ar.WriteI32(m_bTime);
        ar.WriteI32(m_bReal);
        ar.WriteF64(m_dFs);
        ar.WriteF64(m_dHalfFs);
        ar.WriteF64(m_dStep);
        ar.WriteI16(static_cast<int16_t>(m_nWindow));
        ar.WriteI32(m_nStart);
        ar.WriteI32(m_nStop);
        ar.WriteI32(m_nCount);
        ar.WriteI32(m_nHalf);
        ar.WriteString(m_Fs.GetUnitsText());
        return;
    }
    try {
        // Every part of the program relies on exactly two columns; any other
        // count is refused before anything is allocated for it.
        m_strName = ar.ReadString();
        if (ar.ReadI32() != 2) throw CArchiveException{CArchiveException::badFormat};
        DeleteColumns();
        AddColumn().Serialize(ar);
        AddColumn().Serialize(ar);
        m_Format.Serialize(ar, version);
        ar.Serialize(m_strBaseName);
        ar.Serialize(m_bReportRead);
        m_pInphase = &GetColumn(0);
        m_pQuadrature = &GetColumn(1);
        m_bTime = ar.ReadI32();
        m_bReal = ar.ReadI32();
        m_dFs = ar.ReadF64();
        m_Fs.m_dValue = m_dFs;
        m_dHalfFs = ar.ReadF64();
        m_dStep = ar.ReadF64();
        m_nWindow = ar.ReadI16();
        // A damaged marker: none when negative, else the window every
        // unknown type acts as (the four-term Blackman-Harris, type 3).
        if (m_nWindow < 0) m_nWindow = -1;
        if (m_nWindow == 0 || m_nWindow > 7) m_nWindow = 3;
        m_nStart = ar.ReadI32();
        m_nStop = ar.ReadI32();
        m_nCount = ar.ReadI32();
        m_nHalf = ar.ReadI32();
        m_Fs.ParseUnits(ar.ReadString());
    } catch (...) {
        // Never leave the object without its two columns.
        Reset();
        throw;
    }
    // A range that does not lie within the data would address values that
    // do not exist; such a damaged record gets the whole data as its range.
    int32_t length = GetCount();
    bool countOk = m_nCount >= 0 && m_nCount <= length && m_nHalf == m_nCount / 2;
    bool rangeOk = countOk && m_nStop < std::max<int32_t>(m_nCount, 1) &&
                   m_nStart >= (m_bTime ? 0 : -m_nCount) && m_nStop >= (m_bTime ? 0 : -m_nCount);
    if (!rangeOk) ResetRange();
}

double CKalvoData::IndexToValue(int32_t i) const {
    if (!m_bTime && i > m_nHalf && m_nStart < 0) return static_cast<double>(i - m_nCount) * m_dStep;
    return static_cast<double>(i) * m_dStep;
}

int32_t CKalvoData::ValueToIndex(double x) const {
    double lower, upper;
    if (m_bTime) {
        lower = 0.0;
        upper = static_cast<double>(m_nCount - 1) * m_dStep;
    } else {
        lower = -static_cast<double>(m_nHalf) * m_dStep;
        upper = static_cast<double>(m_nHalf - 1) * m_dStep;
    }
    if (x < lower)
        x = lower;
    else if (x > upper)
        x = upper;
    double q = std::round(x / m_dStep);  // half away from zero
    int32_t index;
    if (!std::isfinite(q))
        index = 0;
    else if (q > std::numeric_limits<int32_t>::max())
        index = std::numeric_limits<int32_t>::max();
    else if (q < std::numeric_limits<int32_t>::min())
        index = std::numeric_limits<int32_t>::min();
    else
        index = static_cast<int32_t>(q);
    if (!m_bTime && index > m_nHalf) index -= m_nCount;
    if (index >= m_nCount) index = m_nCount - 1;
    return index;
}

void CKalvoData::MultiplyFs(double factor) {
    m_Fs.m_dValue *= factor;
    ApplyFs(m_Fs);
}

void CKalvoData::ResetRange() {
    m_nCount = m_pInphase->GetSize();
    m_nHalf = m_nCount / 2;
    if (m_bTime) {
        m_nStart = 0;
        m_nStop = m_nCount - 1;
    } else {
        m_nStop = m_nHalf - 1;
        m_nStart = m_bReal ? 0 : -m_nHalf;
    }
    if (m_nStop < 0) m_nStop = 0;
}

bool CKalvoData::SetRangeByIndex(int32_t start, int32_t stop, bool strict) {
    if (start < 0 && m_bTime) return false;
    if (stop < 0) {
        if (m_bTime) return false;
        // A stop among the negative frequencies addresses stored index
        // stop + N; with a negative start as well, the whole range lies among
        // the negative frequencies and keeps its negative indices.
        if (start >= 0) stop += m_nCount;
    }
    if (start > stop) {
        if (strict) return false;
        start = 0;
    }
    if (stop >= m_nCount) {
        if (strict) return false;
        stop = m_nCount - 1;
    }
    if (m_nCount <= m_nMinSpan) {
        m_nStart = 0;
        m_nStop = m_nCount - 1;
        return true;
    }
    if (static_cast<int64_t>(stop) - start <= m_nMinSpan) return false;
    m_nStart = start;
    m_nStop = stop;
    return true;
}

bool CKalvoData::SetRangeByValue(bool strict, double from, double to) {
    return SetRangeByIndex(ValueToIndex(from), ValueToIndex(to), strict);
}

std::pair<double, double> CKalvoData::GetRangeValues() const { return {IndexToValue(m_nStart), IndexToValue(m_nStop)}; }

void CKalvoData::ApplyFs(const CFs& fs) {
    m_Fs.m_dValue = fs.m_dValue;
    m_Fs.m_nUnit = fs.m_nUnit;
    m_dFs = fs.m_dValue;
    m_dHalfFs = 0.5 * fs.m_dValue;
    if (m_bTime)
        m_dStep = 1.0 / fs.m_dValue;
    else
        m_dStep = m_nCount > 0 ? fs.m_dValue / m_nCount : 0.0;
}

int32_t CKalvoData::EqualizeColumns(double padValue) {
    bool quadEmpty = m_pQuadrature->GetSize() == 0;
    // One fill for the whole gap: a one-channel read of 10^8 samples pads
    // its Quadrature column in a single allocation.
    const int32_t inphase = m_pInphase->GetSize(), quadrature = m_pQuadrature->GetSize();
    if (inphase < quadrature) m_pInphase->InsertValues(inphase, quadrature - inphase, padValue);
    if (quadrature < inphase) m_pQuadrature->InsertValues(quadrature, inphase - quadrature, padValue);
    if (quadEmpty)
        m_bReal = 1;
    else
        DetectReal();
    ResetRange();
    return m_bReal;
}

int32_t CKalvoData::DetectReal() {
    if (!m_bTime) return m_bReal;
    double tolerance = (m_pInphase->GetMax() - m_pInphase->GetMin()) * 1e-6;
    double qmin = m_pQuadrature->GetMin();
    double qmax = m_pQuadrature->GetMax();
    m_bReal = (qmax - qmin <= tolerance && std::fabs(qmin) <= tolerance && std::fabs(qmax) <= tolerance) ? 1 : 0;
    if (m_bReal && qmin != 0.0 && qmax != 0.0) m_pQuadrature->ZeroAll();
    return m_bReal;
}

int32_t CKalvoData::MapIndex(int32_t index) const {
    if (index < 0) return m_bTime ? 0 : index + m_nCount;
    return index;
}

double CKalvoData::GetComponent(int32_t index, int component) const {
    int32_t i = MapIndex(index);
    if (i < 0 || i >= m_pInphase->GetSize() || i >= m_pQuadrature->GetSize()) return 0.0;
    double re = (*m_pInphase)[i];
    double im = (*m_pQuadrature)[i];
    switch (component) {
        case 0: return ComponentOf<0>(re, im);
        case 1: return ComponentOf<1>(re, im);
        case 2: return ComponentOf<2>(re, im);
        case 3: return ComponentOf<3>(re, im);
        case 4: return ComponentOf<4>(re, im);
        default: return 0.0;
    }
}

bool CKalvoData::StoredWorkingRange(int32_t& first, int32_t& last) const {
    const int32_t count = GetCount();
    if (count <= 0) return false;
    first = std::max(m_nStart, IsTime() ? 0 : -count);
    last = std::min(m_nStop, count - 1);
    return first <= last;
}

std::pair<double, double> CKalvoData::GetComponentRange(int component) const {
    double lo = GetComponent(m_nStart, component);
    double hi = lo;
    for (int32_t i = m_nStart + 1; i <= m_nStop; ++i) {
        double v = GetComponent(i, component);
        if (v < lo)
            lo = v;
        else if (v > hi)
            hi = v;
    }
    return {lo, hi};
}

double CKalvoData::PeakPower() const {
    double peak = 0.0;
    for (int32_t i = m_nStart; i <= m_nStop; ++i) {
        if (MapIndex(i) == 0) continue;
        double p = GetComponent(i, 2);
        if (p > peak) peak = p;
    }
    return peak;
}

double CKalvoData::ToDb(double power, bool floor) const {
    const double tiny = static_cast<double>(1e-30f);
    double db = 10.0 * std::log10(power > tiny ? power : tiny) + m_dDbOffset;
    if (floor && db < m_fMinDb) db = m_fMinDb;
    return db;
}

std::string CKalvoData::GetUnitName() const { return m_bTime ? m_Fs.GetTimeUnitName() : m_Fs.GetFreqUnitName(); }

std::string CKalvoData::GetScaledUnitName(int& exponent) const {
    return m_bTime ? m_Fs.ScaledTimeUnitName(exponent) : m_Fs.ScaledFreqUnitName(exponent);
}

}  // namespace kv
