#include "CFuzzInput.h"
#include "CFuzzPlatform.h"
#include "FuzzTargets.h"
#include "ShownData.h"
#include "app/CModDoc.h"
#include "dsp/FirFilter.h"

namespace kv::fuzz {

namespace {

uint8_t Last(const uint8_t* data, size_t size, size_t back = 0) { return size > back ? data[size - 1 - back] : 0; }

// A short complex Time Data of known values.
void FillTimeData(CKalvoData& data, int32_t count) {
    data.Reset();
    for (int32_t i = 0; i < count; ++i) {
        data.Inphase().Append(static_cast<double>((i * 7) % 11) - 5.0);
        data.Quadrature().Append(static_cast<double>((i * 3) % 5) - 2.0);
    }
    data.EqualizeColumns(0.0);
}

// The generator pages as the last byte of the input picks them: every
// modulation, noise type and quantization, with and without scaling.
void PickPages(CModDoc& doc, uint8_t s) {
    doc.m_ModParm.m_nModulation = s % 6;
    doc.m_Noise.m_nNoiseType = (s / 6) % 3;
    doc.m_Samp.m_nQuantization = (s / 18) % 3;
    doc.m_Samp.m_fScale = (s & 0x80) ? 256.0f : 1.0f;
    doc.m_Samp.m_fSaturation = (s & 0x40) ? 0.5f : 0.0f;
}

}  // namespace

void FuzzFirFile(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    CFuzzInput& input = CFuzzInput::Instance();
    const std::string path = input.Write("filter.fir", data, size);
    {
        CFuzzPlatform platform;
        CModDoc doc;
        platform.CreatePlotView(doc);
        FillTimeData(doc.m_TimeData, 1 + Last(data, size) % 64);
        if (FirFilterFile(path, doc.m_TimeData)) {
            outcome.shown = true;
            doc.OpenPlot(OP_FILTER, false, doc.m_TimeData);
            PaintEveryPlot(platform, Last(data, size));
            GatherStatistics(doc);
        }
        outcome.messages = platform.m_Messages;
        platform.CloseViews();
    }
    input.RestoreDirectory();
}

void FuzzAudioFile(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    CFuzzInput& input = CFuzzInput::Instance();
    const std::string path = input.Write("signal.aud", data, size);
    {
        CFuzzPlatform platform;
        CModDoc doc;
        platform.CreatePlotView(doc);
        const uint8_t s = Last(data, size);
        PickPages(doc, s);
        doc.m_Audio.m_nAudioSource = CAudio::File;
        doc.m_Audio.m_strAudioFile = path;
        doc.m_Samp.m_nSampleCount = 1 + s % 200;
        if (doc.GenerateSignal()) {
            outcome.shown = true;
            PaintEveryPlot(platform, Last(data, size, 1));
            GatherStatistics(doc);
        }
        outcome.messages = platform.m_Messages;
        platform.CloseViews();
    }
    input.RestoreDirectory();
}

void FuzzIfFilterFile(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    CFuzzInput& input = CFuzzInput::Instance();
    const std::string path = input.Write("if.flt", data, size);
    {
        CFuzzPlatform platform;
        CModDoc doc;
        platform.CreatePlotView(doc);
        const uint8_t s = Last(data, size);
        PickPages(doc, s);
        doc.m_IFFilter.m_strInphaseFilter = path;
        doc.m_IFFilter.m_strQuadratureFilter = path;
        doc.m_Samp.m_nSampleCount = 1 + s % 200;
        if (doc.GenerateSignal()) {
            outcome.shown = true;
            PaintEveryPlot(platform, Last(data, size, 1));
            GatherStatistics(doc);
        }
        outcome.messages = platform.m_Messages;
        platform.CloseViews();
    }
    input.RestoreDirectory();
}

}  // namespace kv::fuzz
