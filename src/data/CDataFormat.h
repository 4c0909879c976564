#pragma once
#include <cstdint>

#include "data/CAsmOpts.h"
#include "data/CCsvOpts.h"
#include "data/CFixedPointOpts.h"
#include "data/COptionsC.h"
#include "data/CRawIntOpts.h"
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
    FMT_BINARY_INT8 = 13,
    FMT_BINARY_UINT8 = 14,
    FMT_BINARY_INT16 = 15,
    FMT_BINARY_INT32 = 16,
    FMT_BINARY_NPY = 17,
    FMT_BINARY_SIGMF = 18,
    FMT_TEXT_CSV = 19,
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
    bool IsRawInteger() const { return m_nFormat >= FMT_BINARY_INT8 && m_nFormat <= FMT_BINARY_INT32; }

    // The sampling frequency, in Hz, of the data about to be written (0 when
    // not known): WAVE files offer it as a rate, SigMF files state it. The
    // write procedures set it from the data; it is not stored.
    void SetDataRate(double hz);

    CFixedPointOpts m_FixedPoint;
    CWavFmt m_WavFmt;
    int32_t m_nFormat;
    CAsmOpts m_AsmOpts;
    COptionsC m_OptionsC;
    CTitles m_Titles;
    // Options of the formats added after the code formats; kept with the
    // descriptor for the session, not stored in project files.
    CRawIntOpts m_RawInt;
    CCsvOpts m_Csv;
    // The sampling frequency, in Hz, that the last file read states (WAVE,
    // SigMF); 0 when it states none. Not stored.
    double m_dFileRate = 0.0;
    double m_dDataRate = 0.0;  // see SetDataRate
};

}  // namespace kv
