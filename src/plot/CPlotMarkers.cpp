#include "plot/CPlotMarkers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv {

int CPlotMarkers::Place(int32_t sample, int trace) {
    if (Count() >= kMaxMarkers && m_nActive >= 0) {
        m_Markers[static_cast<size_t>(m_nActive)] = CMarker{sample, trace};
        return m_nActive;
    }
    m_Markers.push_back(CMarker{sample, trace});
    m_nActive = Count() - 1;
    return m_nActive;
}

void CPlotMarkers::MoveActive(int32_t sample, int trace) {
    if (m_nActive < 0) {
        Place(sample, trace);
        return;
    }
    m_Markers[static_cast<size_t>(m_nActive)] = CMarker{sample, trace};
}

void CPlotMarkers::Remove(int n) {
    if (n < 0 || n >= Count()) return;
    m_Markers.erase(m_Markers.begin() + n);
    // The numbers after the removed marker move down by one.
    auto renumber = [n](int& index) {
        if (index == n)
            index = -1;
        else if (index > n)
            --index;
    };
    renumber(m_nReference);
    const bool wasActive = m_nActive == n;
    renumber(m_nActive);
    if (wasActive && !m_Markers.empty()) m_nActive = std::min(n, Count() - 1);
}

void CPlotMarkers::Clear() {
    m_Markers.clear();
    m_nActive = -1;
    m_nReference = -1;
}

void CPlotMarkers::SetActive(int n) {
    if (n >= 0 && n < Count()) m_nActive = n;
}

void CPlotMarkers::ToggleReference(int n) {
    if (n < 0 || n >= Count()) return;
    m_nReference = m_nReference == n ? -1 : n;
}

void CPlotMarkers::ActivateNext() {
    if (m_Markers.empty()) return;
    m_nActive = (m_nActive + 1) % Count();
}

void CPlotMarkers::KeepWithin(int32_t first, int32_t last, int traceCount) {
    for (int n = Count() - 1; n >= 0; --n) {
        CMarker& m = m_Markers[static_cast<size_t>(n)];
        if (m.m_nSample < first || m.m_nSample > last)
            Remove(n);
        else if (m.m_nTrace >= traceCount)
            m.m_nTrace = std::max(0, traceCount - 1);
    }
}

std::vector<CPlotMarkers::CRow> CPlotMarkers::Rows(const SampleX& x, const TraceValue& y) const {
    std::vector<CRow> rows;
    for (int n = 0; n < Count(); ++n) {
        const CMarker& m = m_Markers[static_cast<size_t>(n)];
        CRow row;
        row.m_nNumber = n + 1;
        row.m_nSample = m.m_nSample;
        row.m_nTrace = m.m_nTrace;
        row.m_dX = x(m.m_nSample);
        row.m_dY = y(m.m_nSample, m.m_nTrace);
        row.m_bActive = n == m_nActive;
        row.m_bReference = n == m_nReference;
        rows.push_back(row);
    }
    if (m_nReference >= 0) {
        const CRow reference = rows[static_cast<size_t>(m_nReference)];
        for (CRow& row : rows) {
            if (row.m_bReference) continue;
            row.m_bDelta = true;
            row.m_dDeltaX = row.m_dX - reference.m_dX;
            row.m_dDeltaY = row.m_dY - reference.m_dY;
            row.m_dInverseDeltaX =
                row.m_dDeltaX != 0.0 ? 1.0 / row.m_dDeltaX : std::numeric_limits<double>::quiet_NaN();
        }
    }
    return rows;
}

// ---------------------------------------------------------------------------
// Peak search

namespace {

// Whether sample i starts a peak of the trace over first ... last.
bool IsPeak(const CPlotMarkers::TraceValue& y, int trace, int32_t first, int32_t last, int32_t i) {
    const double v = y(i, trace);
    if (!std::isfinite(v)) return false;
    bool lowerNeighbour = false;
    if (i > first) {
        const double left = y(i - 1, trace);
        if (left >= v) return false;  // not the start of a rise (a gap counts as lower)
        lowerNeighbour = true;
    }
    // The end of a run of equal values.
    int32_t j = i;
    while (j < last && y(j + 1, trace) == v) ++j;
    if (j < last) {
        const double right = y(j + 1, trace);
        if (right >= v) return false;
        lowerNeighbour = true;
    }
    return lowerNeighbour || first == last;
}

}  // namespace

std::optional<int32_t> CPlotMarkers::HighestPeak(const TraceValue& y, int trace, int32_t first, int32_t last) {
    std::optional<int32_t> best;
    double highest = -HUGE_VAL;
    for (int32_t i = first; i <= last; ++i) {
        const double v = y(i, trace);
        if (std::isfinite(v) && (!best || v > highest)) {
            highest = v;
            best = i;
        }
    }
    return best;
}

std::optional<int32_t> CPlotMarkers::NextPeak(const TraceValue& y, int trace, int32_t first, int32_t last,
                                              int32_t from, int direction) {
    if (direction < 0) {
        for (int64_t i = std::min<int64_t>(static_cast<int64_t>(from) - 1, last); i >= first; --i)
            if (IsPeak(y, trace, first, last, static_cast<int32_t>(i))) return static_cast<int32_t>(i);
    } else {
        for (int64_t i = std::max<int64_t>(static_cast<int64_t>(from) + 1, first); i <= last; ++i)
            if (IsPeak(y, trace, first, last, static_cast<int32_t>(i))) return static_cast<int32_t>(i);
    }
    return std::nullopt;
}

std::optional<int32_t> CPlotMarkers::NextLowerPeak(const TraceValue& y, int trace, int32_t first, int32_t last,
                                                   int32_t from) {
    const double ceiling = y(from, trace);
    if (std::isnan(ceiling)) return std::nullopt;
    std::optional<int32_t> best;
    double highest = -HUGE_VAL;
    for (int32_t i = first; i <= last; ++i) {
        const double v = y(i, trace);
        if (!(v < ceiling) || (best && !(v > highest))) continue;
        if (!IsPeak(y, trace, first, last, i)) continue;
        highest = v;
        best = i;
    }
    return best;
}

}  // namespace kv
