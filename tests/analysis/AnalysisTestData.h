#pragma once
#include <cmath>
#include <vector>

#include "data/CFs.h"
#include "data/CKalvoData.h"

namespace kv::test {

// Frequency Data from Inphase and Quadrature values (Quadrature all zero
// when not given), with its range reset and sampling frequency applied.
inline void FillSpectrum(CKalvoData& data, const std::vector<double>& re, const std::vector<double>& im = {},
                         bool real = true, double fs = 0.0) {
    data.m_bTime = 0;
    data.Reset();
    for (size_t i = 0; i < re.size(); ++i) {
        data.Inphase().Append(re[i]);
        data.Quadrature().Append(i < im.size() ? im[i] : 0.0);
    }
    data.m_bReal = real ? 1 : 0;
    data.ResetRange();
    data.ApplyFs(CFs(fs > 0.0 ? fs : static_cast<double>(re.size())));
}

// Frequency Data whose bin powers are the given values (amplitudes are their
// square roots, in the Inphase column).
inline void FillPowers(CKalvoData& data, const std::vector<double>& powers, bool real = true) {
    std::vector<double> re;
    for (double p : powers) re.push_back(std::sqrt(p));
    FillSpectrum(data, re, {}, real);
}

}  // namespace kv::test
