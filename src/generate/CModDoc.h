#pragma once

#include "app/CKalvoraDoc.h"
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
    CModDoc() = default;

    // The project, then the six page records.
    void Serialize(CArchive& ar) override;

    CSamp m_Samp;
    CModParm m_ModParm;
    CAudio m_Audio;
    CNoise m_Noise;
    CQuadErr m_QuadErr;
    CIFFilter m_IFFilter;
};

}  // namespace kv
