#include "dsp/Transform.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "data/CKalvoData.h"
#include "dsp/CTransOpt.h"
#include "dsp/MixedRadixFft.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/StringTable.h"

namespace kv {

int32_t TransformLength(const CKalvoData& data, const CTransOpt& options) {
    if (data.IsEmpty()) return 0;
    const int64_t range = int64_t{data.m_nStop} - data.m_nStart + 1;
    const int32_t r = static_cast<int32_t>(std::clamp<int64_t>(range, std::numeric_limits<int32_t>::min(),
                                                                std::numeric_limits<int32_t>::max()));
    switch (options.m_nLengthType) {
        case CTransOpt::kMaxPowerOfTwo: return NextLowerPowerOfTwo(r);
        case CTransOpt::kChosenLength: return options.m_nLength <= r ? options.m_nLength : r;
        default: return r;
    }
}

bool CanTransform(const CKalvoData& data, const CTransOpt& options) { return TransformLength(data, options) >= 4; }

bool CheckTransformRange(const CKalvoData& source, const CTransOpt& options, bool& divide, int32_t& start,
                         int32_t& length) {
    divide = options.m_bDivideByN != 0;
    start = source.m_nStart;
    length = TransformLength(source, options);
    if (int64_t{start} + length > source.GetCount()) {
        ErrorBox(LoadString(IDS_TRANSFORM_EXCEEDS_POINTS));
        return false;
    }
    if (length < 4) {
        ErrorBox(LoadString(IDS_TRANSFORM_MINIMUM_SIZE));
        return false;
    }
    return true;
}

bool RunTransform(CTransOpt& options, const CKalvoData& source, CKalvoData& destination) {
    if (options.m_bShowOptions) RunDialog(options);  // a Cancel here does not stop the transform
    bool divide = false, checked = false;
    int32_t start = 0, length = 0;
    for (int attempt = 1; attempt <= 4; ++attempt) {
        if (CheckTransformRange(source, options, divide, start, length)) {
            checked = true;
            break;
        }
        if (!RunDialog(options)) break;
    }
    if (!checked) {
        ErrorBox(LoadString(IDS_TRANSFORM_NOT_DONE));
        return false;
    }
    if (!source.IsTime()) {
        start = 0;
        length = source.GetCount();
    }
    CWaitCursor wait(FormatPrintf(IDS_TRANSFORMING, static_cast<long>(length), static_cast<long>(start)));
    CProgress progress;
    return TransformFrom(destination, source, divide, start, length);
}

bool TransformFrom(CKalvoData& destination, const CKalvoData& source, bool divide, int32_t start, int32_t length) {
    if (length < 1 || start < 0 || int64_t{start} + length > source.GetCount()) return false;
    int32_t n = length;
    if (!FftLengthSupported(n)) {
        ErrorBox(LoadString(IDS_FFT_FACTOR_TOO_LARGE));
        n = NextLowerPowerOfTwo(n);
    }
    const bool destinationTime = destination.m_bTime != 0;
    const float scale = destinationTime == divide ? static_cast<float>(1.0 / n) : 1.0f;

    // The result is built apart first: if memory runs out, nothing changes.
    CFloatArray re, im;
    re.SetSize(n);
    im.SetSize(n);
    MixedRadixFft(n, scale, source.Inphase().GetData() + start, source.Quadrature().GetData() + start,
                  re.GetWritableData(), im.GetWritableData());

    // Taken before the reset, since source and destination may be one object.
    const int32_t time = source.m_bTime, real = source.m_bReal, window = source.m_nWindow;
    const int32_t minSpan = source.m_nMinSpan;
    const double halfFs = source.m_dHalfFs, step = source.m_dStep, fs = source.m_dFs;
    const float minDb = source.m_fMinDb;
    const double dbOffset = source.m_dDbOffset;
    const std::string dbLabel = source.m_strDbLabel;
    const CFs sourceFs = source.m_Fs;

    destination.Reset();
    destination.m_bTime = time;
    destination.m_bReal = real;
    destination.m_dHalfFs = halfFs;
    destination.m_dStep = step;
    destination.m_nWindow = window;
    destination.m_nMinSpan = minSpan;
    destination.m_fMinDb = minDb;
    destination.m_dDbOffset = dbOffset;
    destination.m_strDbLabel = dbLabel;
    destination.m_dFs = fs;
    destination.m_Fs = sourceFs;
    static_cast<CFloatArray&>(destination.Inphase()) = std::move(re);
    static_cast<CFloatArray&>(destination.Quadrature()) = std::move(im);
    destination.ResetRange();

    destination.m_bTime = destination.m_bTime ? 0 : 1;
    destination.ApplyFs(destination.m_Fs);
    destination.ResetRange();  // the real-data flag still holds the source's
    if (destination.m_bTime) {
        // Forward transform with the indices reversed is the inverse.
        for (CDataColumn* column : {&destination.Inphase(), &destination.Quadrature()}) {
            column->Reverse();
            column->RotateRight();
        }
        destination.ResetRange();
    }
    destination.m_bReal = 0;
    return true;
}

}  // namespace kv
