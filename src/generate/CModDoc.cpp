#include "generate/CModDoc.h"

#include "platform/CArchive.h"

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

}  // namespace kv
