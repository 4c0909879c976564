// The generators against measurements whose truth is known by construction:
// tones of a whole number of cycles are coherent, rounding keeps a signal's
// mean, and every waveform stays within its amplitude.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/CConverterMetrics.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "dsp/CWindowProfile.h"
#include "dsp/Transform.h"
#include "generate/CAudio.h"
#include "generate/CGenerate.h"
#include "generate/CModParm.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"
#include "generate/ModulatedSignal.h"
#include "generate/WaveformSynthesis.h"

namespace kv {
namespace {

constexpr int32_t kPoints = 1048576;

// SFDR of Time Data without a window, by the converter metrics.
double SfdrWithoutWindow(const CKalvoData& time) {
    CKalvoData freq;
    freq.m_bTime = 0;
    EXPECT_TRUE(TransformFrom(freq, time, false, 0, time.GetCount()));
    const CWindowProfile none(CWindowProfile::kNoWindow, 0.0, freq.GetCount());
    const ConverterResults r = CConverterMetrics::Compute(freq, none, 1.0 / freq.GetCount(), {});
    EXPECT_TRUE(r.m_bValid) << r.m_strError;
    return r.m_dSfdr;
}

void FromColumns(CKalvoData& data, const CDataColumn& re, const CDataColumn& im) {
    data.m_bTime = 1;
    data.Reset();
    for (int32_t i = 0; i < re.GetSize(); ++i) {
        data.Inphase().Append(re[i]);
        data.Quadrature().Append(i < im.GetSize() ? im[i] : 0.0);
    }
    data.m_bReal = im.GetSize() == 0 ? 1 : 0;
    data.ResetRange();
    data.ApplyFs(CFs(1.0));
}

TEST(CoherentGenerators, WaveformGeneratorSineOfWholeCyclesIsCoherent) {
    CKalvoData data;
    data.ApplyFs(CFs(1.0));
    for (bool complex : {false, true}) {
        SynthesizeCycles(data, kPoints, 1001.0, 0.0, CGenerate::Sine, complex);
        EXPECT_GE(SfdrWithoutWindow(data), 120.0) << "complex " << complex;
    }
    // The same tone given as a frequency.
    SynthesizeWaveform(data, kPoints, true, CGenerate::Sine, 1001.0 / kPoints, 30.0);
    EXPECT_GE(SfdrWithoutWindow(data), 120.0);
}

TEST(CoherentGenerators, ModulatedGeneratorCarrierAndAudioOfWholeCyclesAreCoherent) {
    // Before, the carrier stepped with a float 2*pi and wrapped with a double
    // one: 2.8e-8 too fast, 91 dB of SFDR here.
    CModParm cw;
    cw.m_nModulation = CModParm::CW;
    cw.m_fCarrierFrequency = 1001.0f / kPoints;
    cw.m_fCarrierPhase = 17.0f;
    CQuadErr errors;
    CDataColumn audio, re, im;
    Modulate(cw, errors, kPoints, re, im, audio, 1.0f);
    CKalvoData data;
    FromColumns(data, re, im);
    EXPECT_GE(SfdrWithoutWindow(data), 120.0);

    CAudio sine;
    sine.m_nAudioWaveform = CAudio::Sine;
    sine.m_fAudioFrequency = 3001.0f / kPoints;
    sine.m_fAudioPhase = -45.0f;
    CDataColumn tone;
    ASSERT_TRUE(GenerateAudio(kPoints, sine, tone, 1.0f));
    FromColumns(data, tone, CDataColumn());
    EXPECT_GE(SfdrWithoutWindow(data), 120.0);
}

TEST(CoherentGenerators, RoundingKeepsTheMeanOfAZeroMeanSignal) {
    // A 16-bit converter's scale: before, negative values gained half an LSB
    // on average, a DC error near -90 dBc.
    CSamp sample;
    sample.m_fScale = 32767.0f;
    sample.m_nQuantization = CSamp::Round;
    CDataColumn column;
    const int32_t n = 1 << 18;
    for (int32_t i = 0; i < n; ++i) column.Append(0.9 * std::sin(6.283185307179586 * 1234 * i / n + 0.3));
    CDataColumn exact = column;
    bool saturated = false;
    QuantizeColumn(sample, column, saturated);
    double error = 0.0, mean = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        error += (column[i] - exact[i]) * 32767.0;
        mean += exact[i] * 32767.0;
    }
    EXPECT_LT(std::fabs(error / n), 0.01) << "mean rounding error in LSB";
    EXPECT_LT(std::fabs(mean / n), 0.01) << "the test signal itself has no mean";
    // Every value moved by at most half an LSB.
    for (int32_t i = 0; i < n; i += 997) EXPECT_LE(std::fabs(column[i] - exact[i]) * 32767.0, 0.5 + 1e-9);
}

TEST(CoherentGenerators, TriangleAndSawtoothStayWithinTheirAmplitudeForAnyFrequencyAndPhase) {
    CKalvoData data, reference;
    data.ApplyFs(CFs(8.0));
    reference.ApplyFs(CFs(8.0));
    for (int32_t waveform : {CGenerate::Triangle, CGenerate::Sawtooth, CGenerate::Square, CGenerate::Sine}) {
        // Negative frequencies and phases, and frequencies above Fs (the
        // values measured before reached 20.2 and 1193).
        for (double f : {-1.3, -9.3, 10.7, 1000.3, -1000.3})
            for (double phase : {0.0, -90.0, -725.0, 1000.0}) {
                SynthesizeWaveform(data, 256, true, waveform, f, phase);
                for (int32_t i = 0; i < data.GetCount(); ++i) {
                    ASSERT_LE(std::fabs(data.Inphase()[i]), 1.0) << waveform << " f " << f << " phase " << phase;
                    ASSERT_LE(std::fabs(data.Quadrature()[i]), 1.0) << waveform << " f " << f << " phase " << phase;
                }
            }
        // A frequency a whole number of Fs away is the same tone.
        SynthesizeWaveform(data, 64, true, waveform, 8.0 * 3 + 1.3, 40.0);
        SynthesizeWaveform(reference, 64, true, waveform, 1.3, 40.0);
        for (int32_t i = 0; i < 64; ++i) {
            if (waveform == CGenerate::Square) continue;  // may flip where the phase meets pi
            EXPECT_NEAR(data.Inphase()[i], reference.Inphase()[i], 1e-9) << waveform << " point " << i;
        }
        // So is a negative frequency: -1.3 is 6.7 at Fs = 8.
        SynthesizeWaveform(data, 64, false, waveform, -1.3, 10.0);
        SynthesizeWaveform(reference, 64, false, waveform, 6.7, 10.0);
        for (int32_t i = 0; i < 64; ++i) {
            if (waveform == CGenerate::Square) continue;
            EXPECT_NEAR(data.Inphase()[i], reference.Inphase()[i], 1e-9) << waveform << " point " << i;
        }
    }
}

}  // namespace
}  // namespace kv
