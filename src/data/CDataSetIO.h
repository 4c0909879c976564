#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "data/CDataFormat.h"
#include "data/CDataSet.h"

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
    // Writes the whole of the columns (quadrature -1: none) to an open file in
    // the descriptor's format, records in the order of the step: the header,
    // the overflow question for fixed-point formats, then the records. A
    // WAVE header turns the descriptor's id 10 into 100 or 101. Returns false
    // when the user refuses the overflow or a write fails.
    virtual bool WriteColumns(CDataFormat& format, std::FILE* file, int32_t inphase, int32_t quadrature,
                              int32_t step);

    // The writers of the format catalogue, which live in the layer above the
    // data and hand themselves to WriteColumns before a file is written.
    // Without them WriteColumns writes nothing and fails.
    using ColumnsWriter = bool (*)(CDataSetIO& data, CDataFormat& format, std::FILE* file, int32_t inphase,
                                   int32_t quadrature, int32_t step);
    static void SetColumnsWriter(ColumnsWriter writer);

    CDataFormat m_Format;
    std::string m_strBaseName;
    int32_t m_bReportRead = 0;
};

}  // namespace kv
