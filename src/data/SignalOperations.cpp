#include "data/SignalOperations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>

#include "data/CKalvoData.h"
#include "data/CRefDlg.h"
#include "dsp/MixedRadixFft.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// A new column length, or std::bad_alloc when a 32-bit count cannot hold it.
int32_t CheckedLength(int64_t length) {
    if (length < 0 || length > std::numeric_limits<int32_t>::max()) throw std::bad_alloc();
    return static_cast<int32_t>(length);
}

// Makes room for length values in both columns without changing them, so
// that an allocation failure leaves the data as it was.
void ReserveBoth(CKalvoData& data, int64_t length) {
    const int32_t n = CheckedLength(length);
    for (CDataColumn* column : {&data.Inphase(), &data.Quadrature()}) {
        const int32_t old = column->GetSize();
        if (old == 0 || old >= n) continue;
        column->SetSize(n);
        column->SetSize(old);  // keeps the allocation
    }
}

void Multiply(CDataColumn& column, double factor) {
    for (double& v : column) v *= factor;
}

void Rectify(CDataColumn& column) {
    for (double& v : column)
        if (v < 0.0) v = -v;
}

void SubtractMean(CDataColumn& column) {
    if (column.GetSize() == 0) return;
    const double mean = column.GetMean();
    for (double& v : column) v -= mean;
}

void Stuff(CDataColumn& column, int32_t count, int32_t n, int32_t length) {
    column.SetSize(length);
    const int64_t step = int64_t{n} + 1;
    for (int32_t k = count - 1; k >= 0; --k) {
        const int64_t to = k * step;
        column[static_cast<int32_t>(to)] = column[k];
        if (k < count - 1)
            for (int64_t z = to + 1; z < to + step; ++z) column[static_cast<int32_t>(z)] = 0.0;
    }
}

void AppendZeros(CDataColumn& column, int32_t n) {
    const int32_t old = column.GetSize();
    column.SetSize(CheckedLength(int64_t{old} + n));
    for (int32_t i = old; i < column.GetSize(); ++i) column[i] = 0.0;
}

}  // namespace

bool Scale(CKalvoData& data, double factor) {
    if (factor == 0.0 && !AskYesNo(LoadString(IDS_SCALE_ZERO_QUESTION), MsgIcon::Warning)) return false;
    Multiply(data.Inphase(), factor);
    if (!data.IsReal()) Multiply(data.Quadrature(), factor);
    return true;
}

bool Mix(CKalvoData& data, double frequency, double phase) {
    COscillator osc;
    OscillatorInit(osc, frequency, data.m_dFs, phase, 1.0);
    if (!std::isfinite(osc.m_dStep) || !std::isfinite(osc.m_dPhase)) {
        // Fs = 0 would make every value NaN.
        ErrorBox(LoadString(IDS_MIX_NO_SAMPLING_FREQUENCY));
        return false;
    }
    CDataColumn& re = data.Inphase();
    CDataColumn& im = data.Quadrature();
    const int32_t n = data.GetCount();
    for (int32_t i = 0; i < n; ++i) OscillatorApply(osc, re[i], im[i]);
    data.DetectReal();
    return true;
}

void Rectify(CKalvoData& data) {
    Rectify(data.Inphase());
    Rectify(data.Quadrature());
}

void RemoveDc(CKalvoData& data) {
    SubtractMean(data.Inphase());
    SubtractMean(data.Quadrature());
}

void Conjugate(CKalvoData& data) { data.Quadrature().Negate(); }

void ZeroStuff(CKalvoData& data, int32_t n, bool scaleFs) {
    if (n <= 0) return;
    const int32_t count = data.GetCount();
    if (count > 0) {
        const int32_t length = CheckedLength((int64_t{count} - 1) * (int64_t{n} + 1) + 1);
        ReserveBoth(data, length);
        Stuff(data.Inphase(), count, n, length);
        Stuff(data.Quadrature(), count, n, length);
    }
    if (scaleFs) data.MultiplyFs(static_cast<double>(n) + 1.0);
}

void ZeroPadFront(CKalvoData& data, int32_t n) {
    if (n <= 0) return;
    ReserveBoth(data, int64_t{std::max(data.Inphase().GetSize(), data.Quadrature().GetSize())} + n);
    data.Inphase().InsertValues(0, n, 0.0);
    data.Quadrature().InsertValues(0, n, 0.0);
}

void ZeroPadBack(CKalvoData& data, int32_t n) {
    if (n <= 0) return;
    ReserveBoth(data, int64_t{std::max(data.Inphase().GetSize(), data.Quadrature().GetSize())} + n);
    AppendZeros(data.Inphase(), n);
    AppendZeros(data.Quadrature(), n);
}

void Pad(CKalvoData& data, int32_t n, double x, double padI, double padQ) {
    if (n <= 0) return;
    const int32_t count = data.GetCount();
    ReserveBoth(data, int64_t{std::max(data.Inphase().GetSize(), data.Quadrature().GetSize())} + 2 * int64_t{n});
    CDataColumn& re = data.Inphase();
    CDataColumn& im = data.Quadrature();
    const int32_t k = data.ValueToIndex(std::fabs(x));
    if (k <= 0 || k >= count) {
        // At DC (and for data too short to have another bin): the pads go
        // to both ends, so DC moves up by n.
        re.InsertValues(count, n, padI);
        im.InsertValues(count, n, padQ);
        re.InsertValues(0, n, padI);
        im.InsertValues(0, n, padQ);
    } else {
        // Before the stored bin of -k, then after the bin of +k.
        re.InsertValues(count - k, n, padI);
        im.InsertValues(count - k, n, padQ);
        re.InsertValues(k + 1, n, padI);
        im.InsertValues(k + 1, n, padQ);
    }
    data.ResetRange();
}

void SquareRoot(CKalvoData& data) {
    CDataColumn& re = data.Inphase();
    CDataColumn& im = data.Quadrature();
    const int32_t n = data.GetCount();
    for (int32_t i = 0; i < n; ++i) {
        const double r = std::pow(re[i] * re[i] + im[i] * im[i], 0.25);
        const double theta = std::atan2(im[i], re[i]) / 2.0;
        re[i] = r * std::cos(theta);
        im[i] = r * std::sin(theta);
    }
}

void UpdateDbReference(CKalvoData& freqData, const CRefDlg& ref) {
    freqData.m_fMinDb = ref.m_fMinDb;
    double peak = 1.0;
    if (!freqData.IsEmpty() && freqData.m_nStop - freqData.m_nStart + 1 != 0)
        peak = static_cast<float>(freqData.PeakPower());
    freqData.m_dDbOffset = ref.DbOffset(peak);
    freqData.m_strDbLabel = ref.DbLabel();
}

}  // namespace kv
