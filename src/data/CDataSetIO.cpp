#include "data/CDataSetIO.h"

#include "platform/CArchive.h"

namespace kv {

namespace {
CDataSetIO::ColumnsWriter g_columnsWriter = nullptr;
}  // namespace

void CDataSetIO::SetColumnsWriter(ColumnsWriter writer) { g_columnsWriter = writer; }

void CDataSetIO::Serialize(CArchive& ar, int version) {
    CDataSet::Serialize(ar);
    m_Format.Serialize(ar, version);
    ar.Serialize(m_strBaseName);
    ar.Serialize(m_bReportRead);
}

bool CDataSetIO::WriteColumns(CDataFormat& format, std::FILE* file, int32_t inphase, int32_t quadrature,
                              int32_t step) {
    return g_columnsWriter && g_columnsWriter(*this, format, file, inphase, quadrature, step);
}

}  // namespace kv
