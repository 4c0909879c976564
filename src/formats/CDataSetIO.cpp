#include "formats/CDataSetIO.h"

#include "platform/CArchive.h"

namespace kv {

void CDataSetIO::Serialize(CArchive& ar, int version) {
    CDataSet::Serialize(ar);
    m_Format.Serialize(ar, version);
    ar.Serialize(m_strBaseName);
    ar.Serialize(m_bReportRead);
}

bool CDataSetIO::WriteColumns(const CDataFormat&, std::FILE*, int32_t, int32_t, int32_t) { return false; }

}  // namespace kv
