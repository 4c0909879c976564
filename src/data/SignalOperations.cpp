#include "data/SignalOperations.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "data/CKalvoData.h"
#include "data/COscillator.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The column length a grown data object would have; lengths beyond what a
// column can hold are the out-of-memory condition.
int32_t GrownLength(int64_t length) {
    if (length > std::numeric_limits<int32_t>::max()) throw std::bad_alloc();
    return static_cast<int32_t>(length);
}

}  // namespace

bool Scale(CKalvoData& data, double factor) {
    if (factor == 0.0 && !AskYesNo(LoadString(IDS_SCALE_ZERO_QUESTION), MsgIcon::Warning)) return false;
    const int32_t n = data.GetCount();
    if (n <= 0) return true;
    double* pI = data.Inphase().GetWritableData();
    for (int32_t i = 0; i < n; ++i) pI[i] *= factor;
    if (!data.IsReal()) {
        double* pQ = data.Quadrature().GetWritableData();
        for (int32_t i = 0; i < n; ++i) pQ[i] *= factor;
    }
    return true;
}

bool Mix(CKalvoData& data, double frequency, double phase) {
    // A frequency shift needs a finite phase step; with a sampling frequency
    // of 0 every sample would become NaN.
    if (!std::isfinite(kTwoPi * frequency / data.m_dFs) || !std::isfinite(phase)) return false;
    COscillator osc;
    OscillatorInit(osc, frequency, data.m_dFs, phase, 1.0);
    const int32_t n = data.GetCount();
    if (n > 0) {
        double* pI = data.Inphase().GetWritableData();
        double* pQ = data.Quadrature().GetWritableData();
        CProgress progress;
        for (int32_t i = 0; i < n; ++i) {
            if ((i & 0xFFFF) == 0xFFFF) ReportProgress(static_cast<uint64_t>(i), static_cast<uint64_t>(n));
            OscillatorApply(osc, pI[i], pQ[i]);
        }
    }
    data.DetectReal();
    return true;
}

void Rectify(CKalvoData& data) {
    const int32_t n = data.GetCount();
    // A column without negative values stays as it is (and is not copied).
    for (CDataColumn* column : {&data.Inphase(), &data.Quadrature()}) {
        const double* values = column->GetData();
        int32_t i = 0;
        while (i < n && !(values[i] < 0.0)) ++i;
        if (i == n) continue;
        double* p = column->GetWritableData();
        for (; i < n; ++i)
            if (p[i] < 0.0) p[i] = -p[i];
    }
}

void RemoveDc(CKalvoData& data) {
    const int32_t n = data.GetCount();
    if (n <= 0) return;
    CDataColumn& inphase = data.Inphase();
    CDataColumn& quadrature = data.Quadrature();
    const double mI = inphase.GetMean();
    const double mQ = quadrature.GetMean();
    // Subtracting 0.0 changes no value: such a column is not rewritten.
    if (mI != 0.0 || std::isnan(mI)) {
        double* p = inphase.GetWritableData();
        for (int32_t i = 0; i < n; ++i) p[i] -= mI;
    }
    if (mQ != 0.0 || std::isnan(mQ)) {
        double* p = quadrature.GetWritableData();
        for (int32_t i = 0; i < n; ++i) p[i] -= mQ;
    }
}

void Conjugate(CKalvoData& data) { data.Quadrature().Negate(); }

void ZeroStuff(CKalvoData& data, int32_t n, bool scaleFs) {
    if (n <= 0) return;
    const int32_t count = data.GetCount();
    if (count > 0) {
        const int32_t length = GrownLength((static_cast<int64_t>(count) - 1) * (static_cast<int64_t>(n) + 1) + 1);
        for (CDataColumn* column : {&data.Inphase(), &data.Quadrature()}) {
            column->SetSize(length);
            double* p = column->GetWritableData();
            // From the last point down, so nothing is overwritten before it moves.
            for (int32_t k = count - 1; k > 0; --k) {
                const int64_t to = static_cast<int64_t>(k) * (n + 1);
                p[to] = p[k];
                for (int32_t z = 1; z <= n; ++z) p[to - z] = 0.0;
            }
        }
    }
    if (scaleFs) data.MultiplyFs(static_cast<double>(n) + 1.0);
}

void ZeroPadFront(CKalvoData& data, int32_t n) {
    if (n <= 0) return;
    const int32_t count = data.GetCount();
    const int32_t length = GrownLength(static_cast<int64_t>(count) + n);
    for (CDataColumn* column : {&data.Inphase(), &data.Quadrature()}) {
        column->SetSize(length);
        double* p = column->GetWritableData();
        std::memmove(p + n, p, sizeof(double) * static_cast<size_t>(count));
        for (int32_t i = 0; i < n; ++i) p[i] = 0.0;
    }
}

void ZeroPadBack(CKalvoData& data, int32_t n) {
    if (n <= 0) return;
    const int32_t count = data.GetCount();
    const int32_t length = GrownLength(static_cast<int64_t>(count) + n);
    for (CDataColumn* column : {&data.Inphase(), &data.Quadrature()}) {
        column->SetSize(length);
        double* p = column->GetWritableData();
        for (int32_t i = count; i < length; ++i) p[i] = 0.0;
    }
}

void Pad(CKalvoData& data, int32_t n, double x, double padI, double padQ) {
    if (n <= 0) return;
    const int32_t count = data.GetCount();
    GrownLength(static_cast<int64_t>(count) + 2 * static_cast<int64_t>(n));
    const int32_t k = data.ValueToIndex(std::fabs(x));
    if (k <= 0 || k >= count) {
        data.Inphase().InsertValues(count, n, padI);
        data.Quadrature().InsertValues(count, n, padQ);
        data.Inphase().InsertValues(0, n, padI);
        data.Quadrature().InsertValues(0, n, padQ);
    } else {
        data.Inphase().InsertValues(count - k, n, padI);
        data.Quadrature().InsertValues(count - k, n, padQ);
        data.Inphase().InsertValues(k + 1, n, padI);
        data.Quadrature().InsertValues(k + 1, n, padQ);
    }
    data.ResetRange();
}

void SquareRoot(CKalvoData& data) {
    const int32_t n = data.GetCount();
    if (n <= 0) return;
    double* pI = data.Inphase().GetWritableData();
    double* pQ = data.Quadrature().GetWritableData();
    for (int32_t i = 0; i < n; ++i) {
        const double r = std::pow(pI[i] * pI[i] + pQ[i] * pQ[i], 0.25);
        const double theta = std::atan2(pQ[i], pI[i]) / 2.0;
        pI[i] = r * std::cos(theta);
        pQ[i] = r * std::sin(theta);
    }
}

}  // namespace kv
