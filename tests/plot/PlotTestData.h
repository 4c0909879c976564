#pragma once
#include <cmath>
#include <functional>

#include "data/CFs.h"
#include "data/CKalvoData.h"

namespace kv::test {

// Time Data of n samples at fs (in the unit row given), I and Q from functions of the index.
inline void MakeTimeData(CKalvoData& d, int n, double fs, const std::function<double(int)>& i,
                         const std::function<double(int)>& q = {}, int unit = 0) {
    d.Reset();
    d.m_bTime = 1;
    for (int k = 0; k < n; ++k) {
        d.Inphase().Append(i(k));
        d.Quadrature().Append(q ? q(k) : 0.0);
    }
    d.EqualizeColumns(0.0);
    CFs f(fs);
    f.SetUnit(unit);
    d.ApplyFs(f);
}

// Frequency Data of n bins at fs; complex data shows both sides.
inline void MakeFreqData(CKalvoData& d, int n, double fs, const std::function<double(int)>& i,
                         const std::function<double(int)>& q = {}, bool real = true, int unit = 0) {
    d.Reset();
    d.m_bTime = 0;
    for (int k = 0; k < n; ++k) {
        d.Inphase().Append(i(k));
        d.Quadrature().Append(q ? q(k) : 0.0);
    }
    d.m_bReal = real ? 1 : 0;
    d.ResetRange();
    CFs f(fs);
    f.SetUnit(unit);
    d.ApplyFs(f);
}

}  // namespace kv::test
