#pragma once
#include <cstdint>

#include "data/CAsmOpts.h"
#include "data/CFixedPointOpts.h"
#include "data/COptionsC.h"
#include "data/CTitles.h"
#include "data/CWavFmt.h"

namespace kv {

class CArchive;

// Format ids of the catalogue.
enum FormatId : int32_t {
    FMT_NONE = -1,
    FMT_TEXT_DECIMAL = 0,
    FMT_TEXT_PLOT = 1,
    FMT_TEXT_FIR = 2,
    FMT_TEXT_FRACT = 3,
    FMT_TEXT_HEX = 4,
    FMT_TEXT_BINARY = 5,
    FMT_TEXT_ANALYZER = 6,
    FMT_TEXT_C = 7,
    FMT_BINARY_FLOAT = 8,
    FMT_BINARY_DOUBLE = 9,
    FMT_BINARY_WAVE = 10,
    FMT_ASM_TI = 11,
    FMT_ASM_ADI_PM = 12,
    FMT_WAVE_8 = 100,
    FMT_WAVE_16 = 101,
};

// The file-format descriptor: a chosen format with all its options.
class CDataFormat {
public:
    explicit CDataFormat(int32_t id = FMT_NONE) : m_nFormat(id) {}

    // The descriptor record of a project file, as of the given version.
    void Serialize(CArchive& ar, int version);

    bool IsWave() const { return m_nFormat == FMT_BINARY_WAVE || m_nFormat == FMT_WAVE_8 || m_nFormat == FMT_WAVE_16; }

    CFixedPointOpts m_FixedPoint;
    CWavFmt m_WavFmt;
    int32_t m_nFormat;
    CAsmOpts m_AsmOpts;
    COptionsC m_OptionsC;
    CTitles m_Titles;
};

}  // namespace kv
