#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "data/CDataSet.h"
#include "formats/CDataFormat.h"

namespace kv {

class CArchive;

// A data set that reads and writes itself through the format catalogue.
class CDataSetIO : public CDataSet {
public:
    CDataSetIO() = default;

    using CDataSet::Serialize;
    // The data set, then the descriptor record, the base name and the
    // read-report flag.
    virtual void Serialize(CArchive& ar, int version);
    // Writes columns to an open file in the descriptor's format; the formats
    // module supplies the body.
    virtual bool WriteColumns(const CDataFormat& format, std::FILE* file, int32_t inphase, int32_t quadrature,
                              int32_t step);

    CDataFormat m_Format;
    std::string m_strBaseName;
    int32_t m_bReportRead = 0;
};

}  // namespace kv
