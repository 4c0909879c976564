#include "generate/WaveformSynthesis.h"

#include <cmath>

#include "data/CKalvoData.h"
#include "platform/CProgress.h"

namespace kv {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;

// A phase above 2*pi or below 0 brought into [0, 2*pi]; one of exactly 2*pi
// stays. A step of less than a period needs one subtraction or addition; a
// larger one (a frequency above Fs, negative or positive) one remainder.
double WrapPhase(double theta) {
    if (theta > kTwoPi) {
        theta -= kTwoPi;
        if (theta > kTwoPi) theta = std::fmod(theta, kTwoPi);
    } else if (theta < 0.0) {
        theta += kTwoPi;
        if (theta < 0.0) theta = std::fmod(theta, kTwoPi) + kTwoPi;
        if (theta > kTwoPi) theta = kTwoPi;  // rounding of a remainder just below 0
    }
    return theta;
}
}  // namespace

double SquareShape(double x) { return x < kPi ? 1.0 : -1.0; }

double TriangleShape(double x) { return x < kPi ? 1.0 - x / kHalfPi : (x - kPi) / kHalfPi - 1.0; }

double SawtoothShape(double x) { return (x - kPi) / kPi; }

double WaveformShape(int32_t waveform, double x) {
    switch (waveform) {
        case 1: return SquareShape(x);
        case 2: return TriangleShape(x);
        case 3: return SawtoothShape(x);
        default: return std::cos(x);
    }
}

void SynthesizeWaveform(CKalvoData& data, int32_t count, bool complex, int32_t waveform, double frequency,
                        double phaseDegrees) {
    CDataColumn& inphase = data.Inphase();
    CDataColumn& quadrature = data.Quadrature();
    inphase.SetSize(0);
    if (complex) quadrature.SetSize(0);
    const double step = kTwoPi * frequency / data.GetFs();
    double theta = WrapPhase(kTwoPi * phaseDegrees / 360.0);
    if (count > 0) {
        inphase.SetSize(count);
        if (complex) quadrature.SetSize(count);
        double* pI = inphase.GetWritableData();
        double* pQ = complex ? quadrature.GetWritableData() : nullptr;
        CProgress progress;
        for (int32_t i = 0; i < count; ++i) {
            if ((i & 0xFFFF) == 0xFFFF) ReportProgress(static_cast<uint64_t>(i), static_cast<uint64_t>(count));
            double thetaQ = theta - kHalfPi;
            if (thetaQ < 0.0) thetaQ += kTwoPi;
            pI[i] = WaveformShape(waveform, theta);
            if (pQ) pQ[i] = WaveformShape(waveform, thetaQ);
            theta = WrapPhase(theta + step);
        }
    }
    data.EqualizeColumns(0.0);
    data.m_nWindow = -1;
    if (complex) data.m_bReal = 0;
}

void SynthesizeCycles(CKalvoData& data, int32_t count, double cycles, double phaseDegrees, int32_t waveform,
                      bool complex) {
    SynthesizeWaveform(data, count, complex, waveform, data.GetFs() * cycles / count, phaseDegrees);
}

}  // namespace kv
