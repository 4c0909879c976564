#include "formats/CDataSetIO.h"

#include "formats/SignalFiles.h"
#include "platform/CArchive.h"

namespace kv {

void CDataSetIO::Serialize(CArchive& ar, int version) {
    CDataSet::Serialize(ar);
    m_Format.Serialize(ar, version);
    ar.Serialize(m_strBaseName);
    ar.Serialize(m_bReportRead);
}

bool CDataSetIO::WriteColumns(CDataFormat& format, std::FILE* file, int32_t inphase, int32_t quadrature,
                              int32_t step) {
    return WriteFormatColumns(*this, format, file, inphase, quadrature, step);
}

}  // namespace kv
