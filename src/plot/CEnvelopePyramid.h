#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plot/CEnvelopeSource.h"

namespace kv {

// An overview of one signal for the plot reduction: for every block of
// kBlock stored samples, and for every kFanOut neighbouring blocks of the
// level below, the smallest and largest value of a component with the first
// index of each. A component's overview is built the first time it is asked
// for and again after the data changed (other columns, another length, or
// values written since). The summary of a long run is merged, in the order
// of the samples, from the largest blocks that lie inside it, with its ends
// scanned; values are compared as the scanning source compares them, so the
// summaries, and the pictures drawn from them, equal those of the scanning
// source. Sums keep the order of a scan: a summary that needs one is scanned.
// Data shorter than kMinCount is always scanned.
class CEnvelopePyramid : public CEnvelopeSource {
public:
    static constexpr int32_t kBlock = 256;
    static constexpr int32_t kFanOut = 8;
    static constexpr int32_t kMinCount = 1 << 16;

    CGroupSummary Summarise(const CKalvoData& data, int component, int32_t first, int32_t last,
                            bool wantSum) const override;

    // Forgets every overview (the data changed).
    void Invalidate();
    // Bytes the overviews hold now.
    size_t Bytes() const;
    // Whether the overview of the component is built for this data as it is.
    bool IsBuilt(const CKalvoData& data, int component) const;

private:
    // Extremes of a block as comparison keys, with their stored indices
    // (-1: no finite value in the block).
    struct CExtremes {
        double m_dLo;
        double m_dHi;
        int32_t m_nLoAt;
        int32_t m_nHiAt;
    };
    // What an overview was built from.
    struct CIdentity {
        const CKalvoData* m_pData = nullptr;
        const double* m_pI = nullptr;
        const double* m_pQ = nullptr;
        int32_t m_nCount = 0;
        uint64_t m_nStampI = 0;
        uint64_t m_nStampQ = 0;
        bool operator==(const CIdentity&) const = default;
    };
    struct COverview {
        CIdentity m_id;
        bool m_bBuilt = false;
        std::vector<std::vector<CExtremes>> m_levels;  // level 0: blocks of kBlock samples
    };

    static CIdentity IdentityOf(const CKalvoData& data);
    const COverview* Overview(const CKalvoData& data, int component) const;
    void Build(COverview& o, const CKalvoData& data, int component) const;
    // The summary of stored indices a ... b (reported as working indices,
    // stored index minus shift).
    CGroupSummary Run(const COverview& o, const CKalvoData& data, int component, int32_t a, int32_t b,
                      int32_t shift) const;

    mutable COverview m_overviews[4];
};

}  // namespace kv
