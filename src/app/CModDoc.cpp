#include "app/CModDoc.h"

#include <limits>
#include <new>

#include "generate/ModulatedSignal.h"
#include "platform/CArchive.h"
#include "platform/CPlatform.h"
#include "platform/CPropertySheetModel.h"
#include "platform/StringTable.h"

namespace kv {

void CModDoc::Serialize(CArchive& ar) {
    CKalvoraDoc::Serialize(ar);
    const int v = m_nVersion > kFileVersion ? kFileVersion : m_nVersion;
    m_Samp.Serialize(ar, v);
    m_ModParm.Serialize(ar, v);
    m_Audio.Serialize(ar, v);
    m_Noise.Serialize(ar, v);
    m_QuadErr.Serialize(ar, v);
    m_IFFilter.Serialize(ar, v);
}

void CModDoc::SetModified(bool modified) {
    CKalvoraDoc::SetModified(modified);
    if (modified) SetStatusText(LoadString(IDS_NEED_TO_GENERATE));
}

void CModDoc::SignalGeneratorCommand() {
    // Pages keep what was typed into them when they were left; Cancel puts
    // back what they held before the sheet opened.
    const CSamp samp = m_Samp;
    const CAudio audio = m_Audio;
    const CModParm modParm = m_ModParm;
    const CIFFilter ifFilter = m_IFFilter;
    const CQuadErr quadErr = m_QuadErr;
    const CNoise noise = m_Noise;

    CPropertySheetModel sheet(LoadString(IDS_PAGE_SIGNAL_GENERATOR));
    sheet.AddPage(m_Samp);
    sheet.AddPage(m_Audio);
    sheet.AddPage(m_ModParm);
    sheet.AddPage(m_IFFilter);
    sheet.AddPage(m_QuadErr);
    sheet.AddPage(m_Noise);
    if (!RunPropertySheet(sheet)) {
        m_Samp = samp;
        m_Audio = audio;
        m_ModParm = modParm;
        m_IFFilter = ifFilter;
        m_QuadErr = quadErr;
        m_Noise = noise;
        return;
    }
    SetModified(true);
    GenerateSignal();
}

bool CModDoc::GenerateSignal() {
    const float fs = static_cast<float>(m_TimeData.GetFs());
    if (fs == 0.0f) {
        ErrorBox(LoadString(IDS_GEN_ZERO_FS));
        return false;
    }
    // The columns hold at most 2^31 - 1 points.
    if (m_Samp.m_nSampleCount > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
        ErrorBox(LoadString(IDS_OUT_OF_MEMORY));
        return false;
    }
    const int32_t count = static_cast<int32_t>(m_Samp.m_nSampleCount);

    CWaitCursor wait;
    SetModified(true);
    bool done = false;
    try {
        done = Synthesize(count, fs);
    } catch (const std::bad_alloc&) {
        // Nothing half-made stays behind.
        m_Internal.Reset();
        m_TimeData.Reset();
        SetStatusText(LoadString(IDS_READY));
        ErrorBox(LoadString(IDS_OUT_OF_MEMORY));
        UpdateViews(HINT_DATA_CHANGED + HINT_RESET_ZOOM, &m_TimeData);
        return false;
    }
    if (!done) {
        SetStatusText(LoadString(IDS_READY));
        UpdateViews(HINT_DATA_CHANGED + HINT_RESET_ZOOM, &m_TimeData);
        return false;
    }
    SetStatusText(LoadString(IDS_UPDATING_VIEWS));
    OpenPlot(0, false, m_TimeData);
    UpdateViews(HINT_DATA_CHANGED + HINT_RESET_ZOOM, &m_TimeData);
    SetStatusText(LoadString(IDS_READY));
    return true;
}

bool CModDoc::WriteAmData() {
    CDataColumn column;
    AmDemodulate(m_TimeData.Inphase(), m_TimeData.Quadrature(), column);
    return WriteColumnDialog(m_WriteCol, LoadString(IDS_WRITE_AM_TITLE), column);
}

bool CModDoc::WriteFmData() {
    CDataColumn column;
    FmDemodulate(m_TimeData.Inphase(), m_TimeData.Quadrature(), column);
    return WriteColumnDialog(m_WriteCol, LoadString(IDS_WRITE_FM_TITLE), column);
}

bool CModDoc::Synthesize(int32_t count, float fs) {
    m_Internal.Reset();
    m_Internal.AddColumn();
    m_Internal.AddColumn();
    m_Internal.AddColumn();
    CDataColumn& audio = m_Internal.GetColumn(AUDIO_COLUMN);
    CDataColumn& am = m_Internal.GetColumn(AM_COLUMN);
    CDataColumn& fm = m_Internal.GetColumn(FM_COLUMN);
    m_TimeData.Reset();
    CDataColumn& inphase = m_TimeData.Inphase();
    CDataColumn& quadrature = m_TimeData.Quadrature();

    SetStatusText(LoadString(IDS_GENERATING_AUDIO));
    const bool haveAudio = m_Audio.m_nAudioSource == CAudio::File ? ReadAudioFile(m_Audio, count, audio)
                                                                  : GenerateAudio(count, m_Audio, audio, fs);
    if (!haveAudio) {
        audio.SetSize(0);
        return false;
    }
    bool saturated = false;
    QuantizeColumn(m_Samp, audio, saturated);

    SetStatusText(LoadString(IDS_MODULATING));
    Modulate(m_ModParm, m_QuadErr, count, inphase, quadrature, audio, fs);

    SetStatusText(LoadString(IDS_ADDING_NOISE));
    if (AddNoise(m_Noise, count, inphase, true)) AddNoise(m_Noise, count, quadrature, false);

    SetStatusText(LoadString(IDS_FILTERING_IF));
    if (IfFilterFile(m_IFFilter.m_strInphaseFilter, inphase))
        IfFilterFile(m_IFFilter.m_strQuadratureFilter, quadrature);

    QuantizeColumn(m_Samp, inphase, saturated);
    QuantizeColumn(m_Samp, quadrature, saturated);

    SetStatusText(LoadString(IDS_DEMODULATING_AM));
    AmDemodulate(inphase, quadrature, am);
    QuantizeColumn(m_Samp, am, saturated);

    SetStatusText(LoadString(IDS_DEMODULATING_FM));
    FmDemodulate(inphase, quadrature, fm);
    QuantizeColumn(m_Samp, fm, saturated);

    if (m_Samp.m_fScale != 1.0f) {
        SetStatusText(LoadString(IDS_SCALING_ALL));
        ScaleColumn(m_Samp, inphase, saturated);
        ScaleColumn(m_Samp, quadrature, saturated);
        ScaleColumn(m_Samp, audio, saturated);
        ScaleColumn(m_Samp, am, saturated);
        ScaleColumn(m_Samp, fm, saturated);
    }
    if (saturated) InfoBox(LoadString(IDS_DATA_SATURATED));

    m_TimeData.EqualizeColumns(0.0);
    return true;
}

}  // namespace kv
