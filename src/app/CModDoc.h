#pragma once

#include "app/CKalvoraDoc.h"
#include "data/CDataSet.h"
#include "formats/CWriteCol.h"
#include "generate/CAudio.h"
#include "generate/CIFFilter.h"
#include "generate/CModParm.h"
#include "generate/CNoise.h"
#include "generate/CQuadErr.h"
#include "generate/CSamp.h"

namespace kv {

// The project document the program creates: a project with the
// modulated-signal generator's parameter pages and commands.
class CModDoc : public CKalvoraDoc {
public:
    // Columns of the internal set rebuilt by every generation.
    enum InternalColumn : int32_t { AUDIO_COLUMN = 0, AM_COLUMN = 1, FM_COLUMN = 2 };

    CModDoc() = default;

    // The project, then the six page records.
    void Serialize(CArchive& ar) override;
    // A modified generator project also says "You need to Generate.".
    void SetModified(bool modified) override;

    // "Generate Signal...": the "Signal Generator" sheet, then, on OK, the
    // generation. Cancel leaves the pages as they were.
    void SignalGeneratorCommand();
    // Synthesizes the Time Data from the pages. False when the audio could
    // not be had (the Time Data is then empty) or the project's sampling
    // frequency does not allow a generation (nothing changes).
    bool GenerateSignal();
    // "AM Demod..." and "FM Demod...": demodulate the Time Data and write the
    // result through the write-column dialog. False when nothing was written.
    bool WriteAmData();
    bool WriteFmData();

    CSamp m_Samp;
    CModParm m_ModParm;
    CAudio m_Audio;
    CNoise m_Noise;
    CQuadErr m_QuadErr;
    CIFFilter m_IFFilter;
    // Audio, AM- and FM-demodulated signal of the last generation; not shown,
    // not stored.
    CDataSet m_Internal;
    // File name and format of the demodulation writers, kept between uses.
    CWriteCol m_WriteCol;

private:
    bool Synthesize(int32_t count, float fs);
};

}  // namespace kv
