#include "plot/CEnvelopePyramid.h"

#include <algorithm>
#include <cmath>

#include "data/CKalvoData.h"

namespace kv {

namespace {

void ScanKeys(int component, const double* I, const double* Q, int32_t a, int32_t b, double& lo, double& hi,
              int32_t& loAt, int32_t& hiAt) {
    switch (component) {
        case 0: CEnvelopeSource::ScanFiniteKeys<0>(I, Q, a, b, lo, hi, loAt, hiAt); break;
        case 1: CEnvelopeSource::ScanFiniteKeys<1>(I, Q, a, b, lo, hi, loAt, hiAt); break;
        case 2: CEnvelopeSource::ScanFiniteKeys<2>(I, Q, a, b, lo, hi, loAt, hiAt); break;
        default: CEnvelopeSource::ScanFiniteKeys<3>(I, Q, a, b, lo, hi, loAt, hiAt); break;
    }
}

double ValueOf(int component, double re, double im) {
    switch (component) {
        case 0: return CKalvoData::ComponentOf<0>(re, im);
        case 1: return CKalvoData::ComponentOf<1>(re, im);
        case 2: return CKalvoData::ComponentOf<2>(re, im);
        default: return CKalvoData::ComponentOf<3>(re, im);
    }
}

}  // namespace

CEnvelopePyramid::CIdentity CEnvelopePyramid::IdentityOf(const CKalvoData& data) {
    CIdentity id;
    id.m_pData = &data;
    id.m_pI = data.Inphase().GetData();
    id.m_pQ = data.Quadrature().GetData();
    id.m_nCount = data.GetCount();
    id.m_nStampI = data.Inphase().GetStamp();
    id.m_nStampQ = data.Quadrature().GetStamp();
    return id;
}

void CEnvelopePyramid::Invalidate() {
    for (COverview& o : m_overviews) {
        o.m_bBuilt = false;
        o.m_levels.clear();
        o.m_levels.shrink_to_fit();
    }
}

size_t CEnvelopePyramid::Bytes() const {
    size_t bytes = 0;
    for (const COverview& o : m_overviews)
        for (const auto& level : o.m_levels) bytes += level.capacity() * sizeof(CExtremes);
    return bytes;
}

bool CEnvelopePyramid::IsBuilt(const CKalvoData& data, int component) const {
    if (component < 0 || component > 3) return false;
    const COverview& o = m_overviews[component];
    return o.m_bBuilt && o.m_id == IdentityOf(data);
}

const CEnvelopePyramid::COverview* CEnvelopePyramid::Overview(const CKalvoData& data, int component) const {
    if (component < 0 || component > 3 || data.GetCount() < kMinCount) return nullptr;
    // Both columns must hold every stored point.
    if (data.Inphase().GetSize() < data.GetCount() || data.Quadrature().GetSize() < data.GetCount()) return nullptr;
    COverview& o = m_overviews[component];
    const CIdentity id = IdentityOf(data);
    if (!o.m_bBuilt || !(o.m_id == id)) {
        o.m_bBuilt = false;
        Build(o, data, component);
        o.m_id = id;
        o.m_bBuilt = true;
    }
    return &o;
}

void CEnvelopePyramid::Build(COverview& o, const CKalvoData& data, int component) const {
    const double* I = data.Inphase().GetData();
    const double* Q = data.Quadrature().GetData();
    const int32_t count = data.GetCount();
    o.m_levels.clear();
    std::vector<CExtremes> level(static_cast<size_t>(count / kBlock));
    for (size_t j = 0; j < level.size(); ++j) {
        CExtremes& e = level[j];
        e = {HUGE_VAL, -HUGE_VAL, -1, -1};
        const int32_t a = static_cast<int32_t>(j) * kBlock;
        ScanKeys(component, I, Q, a, a + kBlock - 1, e.m_dLo, e.m_dHi, e.m_nLoAt, e.m_nHiAt);
    }
    // Each level above joins kFanOut blocks of the one below, in order, the
    // first of equal keys kept.
    while (level.size() >= static_cast<size_t>(kFanOut)) {
        std::vector<CExtremes> up(level.size() / kFanOut);
        for (size_t j = 0; j < up.size(); ++j) {
            CExtremes e{HUGE_VAL, -HUGE_VAL, -1, -1};
            for (size_t k = j * kFanOut; k < (j + 1) * kFanOut; ++k) {
                const CExtremes& c = level[k];
                if (c.m_dLo < e.m_dLo) {
                    e.m_dLo = c.m_dLo;
                    e.m_nLoAt = c.m_nLoAt;
                }
                if (c.m_dHi > e.m_dHi) {
                    e.m_dHi = c.m_dHi;
                    e.m_nHiAt = c.m_nHiAt;
                }
            }
            up[j] = e;
        }
        o.m_levels.push_back(std::move(level));
        level = std::move(up);
    }
    o.m_levels.push_back(std::move(level));
}

CGroupSummary CEnvelopePyramid::Run(const COverview& o, const CKalvoData& data, int component, int32_t a, int32_t b,
                                    int32_t shift) const {
    const double* I = data.Inphase().GetData();
    const double* Q = data.Quadrature().GetData();
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    int32_t loAt = -1, hiAt = -1;
    // Whole blocks first ... last - 1 of level 0; the samples before and
    // after them are scanned.
    const int64_t first = (static_cast<int64_t>(a) + kBlock - 1) / kBlock;
    const int64_t last = (static_cast<int64_t>(b) + 1) / kBlock;
    if (last <= first) {
        ScanKeys(component, I, Q, a, b, lo, hi, loAt, hiAt);
    } else {
        ScanKeys(component, I, Q, a, static_cast<int32_t>(first * kBlock) - 1, lo, hi, loAt, hiAt);
        int64_t at = first;
        while (at < last) {
            // The largest block that starts here and ends inside the run.
            size_t level = 0;
            int64_t span = 1;
            while (level + 1 < o.m_levels.size() && at % (span * kFanOut) == 0 && at + span * kFanOut <= last) {
                ++level;
                span *= kFanOut;
            }
            const CExtremes& c = o.m_levels[level][static_cast<size_t>(at / span)];
            if (c.m_dLo < lo) {
                lo = c.m_dLo;
                loAt = c.m_nLoAt;
            }
            if (c.m_dHi > hi) {
                hi = c.m_dHi;
                hiAt = c.m_nHiAt;
            }
            at += span;
        }
        ScanKeys(component, I, Q, static_cast<int32_t>(last * kBlock), b, lo, hi, loAt, hiAt);
    }
    CGroupSummary s;
    s.m_nCount = static_cast<int64_t>(b) - a + 1;
    if (loAt >= 0) {
        s.m_nMinIndex = loAt - shift;
        s.m_nMaxIndex = hiAt - shift;
        s.m_dMin = ValueOf(component, I[loAt], Q[loAt]);
        s.m_dMax = ValueOf(component, I[hiAt], Q[hiAt]);
    }
    return s;
}

CGroupSummary CEnvelopePyramid::Summarise(const CKalvoData& data, int component, int32_t first, int32_t last,
                                          bool wantSum) const {
    const COverview* o = wantSum ? nullptr : Overview(data, component);
    if (!o) return CEnvelopeSource::Summarise(data, component, first, last, wantSum);
    CGroupSummary s;
    const int32_t count = data.GetCount();
    first = std::max(first, data.IsTime() ? 0 : -count);
    last = std::min(last, count - 1);
    if (first > last) return s;
    bool any = false;
    if (first < 0) {
        s = Run(*o, data, component, first + count, std::min(last, -1) + count, count);
        any = true;
    }
    if (last >= 0) {
        CGroupSummary upper = Run(*o, data, component, std::max(first, 0), last, 0);
        if (any)
            s.Merge(upper);
        else
            s = upper;
    }
    return s;
}

}  // namespace kv
