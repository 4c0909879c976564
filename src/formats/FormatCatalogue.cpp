#include "formats/FormatCatalogue.h"

#include <cmath>

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

const std::vector<CFormatEntry>& FormatCatalogue() {
    static const std::vector<CFormatEntry> catalogue = {
        {FMT_TEXT_DECIMAL, true, true},   {FMT_TEXT_PLOT, true, true},      {FMT_TEXT_FIR, true, true},
        {FMT_TEXT_FRACT, true, true},     {FMT_TEXT_HEX, true, true},       {FMT_TEXT_BINARY, true, true},
        {FMT_TEXT_C, false, true},        {FMT_TEXT_ANALYZER, true, false}, {FMT_ASM_TI, false, true},
        {FMT_ASM_ADI_PM, true, true},     {FMT_BINARY_FLOAT, true, true},   {FMT_BINARY_DOUBLE, true, true},
        {FMT_BINARY_WAVE, true, true},
        // Formats of other programs and instruments, after the program's own.
        {FMT_BINARY_INT8, true, true},    {FMT_BINARY_UINT8, true, true},   {FMT_BINARY_INT16, true, true},
        {FMT_BINARY_INT32, true, true},   {FMT_BINARY_NPY, true, true},     {FMT_BINARY_SIGMF, true, true},
        {FMT_TEXT_CSV, true, true},
    };
    return catalogue;
}

namespace {

StringId NameId(int32_t id) {
    switch (id) {
        case FMT_TEXT_DECIMAL: return IDS_FMT_TEXT_DECIMAL;
        case FMT_TEXT_PLOT: return IDS_FMT_TEXT_PLOT;
        case FMT_TEXT_FIR: return IDS_FMT_TEXT_FIR;
        case FMT_TEXT_FRACT: return IDS_FMT_TEXT_FRACT;
        case FMT_TEXT_HEX: return IDS_FMT_TEXT_HEX;
        case FMT_TEXT_BINARY: return IDS_FMT_TEXT_BINARY;
        case FMT_TEXT_ANALYZER: return IDS_FMT_TEXT_ANALYZER;
        case FMT_TEXT_C: return IDS_FMT_TEXT_C;
        case FMT_BINARY_FLOAT: return IDS_FMT_BINARY_FLOAT;
        case FMT_BINARY_DOUBLE: return IDS_FMT_BINARY_DOUBLE;
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16: return IDS_FMT_BINARY_WAVE;
        case FMT_ASM_TI: return IDS_FMT_ASM_TI;
        case FMT_ASM_ADI_PM: return IDS_FMT_ASM_ADI_PM;
        case FMT_BINARY_INT8: return IDS_FMT_BINARY_INT8;
        case FMT_BINARY_UINT8: return IDS_FMT_BINARY_UINT8;
        case FMT_BINARY_INT16: return IDS_FMT_BINARY_INT16;
        case FMT_BINARY_INT32: return IDS_FMT_BINARY_INT32;
        case FMT_BINARY_NPY: return IDS_FMT_BINARY_NPY;
        case FMT_BINARY_SIGMF: return IDS_FMT_BINARY_SIGMF;
        case FMT_TEXT_CSV: return IDS_FMT_TEXT_CSV;
        default: return IDS_FORMATS_FIRST;  // no text
    }
}

int32_t CatalogueId(int32_t id) { return (id == FMT_WAVE_8 || id == FMT_WAVE_16) ? FMT_BINARY_WAVE : id; }

}  // namespace

std::string FormatName(int32_t id) { return LoadString(NameId(id)); }

const CFormatEntry* FindFormat(int32_t id) {
    id = CatalogueId(id);
    for (const CFormatEntry& e : FormatCatalogue())
        if (e.m_nId == id) return &e;
    return nullptr;
}

bool CanReadFormat(int32_t id) {
    const CFormatEntry* e = FindFormat(id);
    return e && e->m_bRead;
}

bool CanWriteFormat(int32_t id) {
    const CFormatEntry* e = FindFormat(id);
    return e && e->m_bWrite;
}

int32_t ChannelCount(const CDataFormat& format) {
    return format.IsWave() ? static_cast<int32_t>(format.m_WavFmt.m_header.m_nChannels) : 2;
}

int32_t WordLength(const CDataFormat& format) {
    switch (format.m_nFormat) {
        case FMT_TEXT_FRACT:
        case FMT_TEXT_HEX:
        case FMT_TEXT_BINARY: {
            // A stored word length outside the dialog's range is taken at its nearest limit.
            int32_t bits = format.m_FixedPoint.m_nBits;
            return bits < 1 ? 1 : bits > 64 ? 64 : bits;
        }
        case FMT_ASM_ADI_PM:
        case FMT_WAVE_16:
        case FMT_BINARY_INT16: return 16;
        case FMT_BINARY_INT8:
        case FMT_BINARY_UINT8: return 8;
        case FMT_BINARY_INT32: return 32;
        default: return 0;
    }
}

double FullScale(const CDataFormat& format) {
    if (format.m_nFormat == FMT_WAVE_8) return 1.0;
    int32_t bits = WordLength(format);
    // The raw integer formats map the full range of their words to -1 ... 1.
    if (format.IsRawInteger()) return std::ldexp(1.0, bits - 1);
    if (bits == 0) return 1.0;
    uint64_t top = uint64_t{1} << (bits - 1);
    int64_t scale = static_cast<int64_t>(top - 1);
    if (bits >= 52) scale -= 1023;
    // A 1-bit word has no positive value; it is scaled like a plain number.
    return scale > 0 ? static_cast<double>(scale) : 1.0;
}

bool HasOptions(const CDataFormat& format) {
    switch (format.m_nFormat) {
        case FMT_TEXT_PLOT:
        case FMT_TEXT_FRACT:
        case FMT_TEXT_HEX:
        case FMT_TEXT_BINARY:
        case FMT_TEXT_C:
        case FMT_ASM_TI:
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16:
        case FMT_BINARY_INT8:
        case FMT_BINARY_UINT8:
        case FMT_BINARY_INT16:
        case FMT_BINARY_INT32:
        case FMT_TEXT_CSV: return true;
        default: return false;
    }
}

std::vector<std::string> FormatNames(FormatDirection direction, const CDataFormat& format, int& selected) {
    std::vector<std::string> names;
    selected = -1;
    int32_t current = CatalogueId(format.m_nFormat);
    for (const CFormatEntry& e : FormatCatalogue()) {
        if (direction == FormatDirection::Read ? !e.m_bRead : !e.m_bWrite) continue;
        if (e.m_nId == current) selected = static_cast<int>(names.size());
        names.push_back(FormatName(e.m_nId));
    }
    return names;
}

void SelectFormatByName(CDataFormat& format, const std::string& name) {
    for (const CFormatEntry& e : FormatCatalogue()) {
        if (FormatName(e.m_nId) == name) {
            format.m_nFormat = e.m_nId;
            return;
        }
    }
}

bool EditOptions(CDataFormat& format) {
    switch (format.m_nFormat) {
        case FMT_TEXT_PLOT: return RunDialog(format.m_Titles);
        case FMT_TEXT_FRACT:
        case FMT_TEXT_HEX:
        case FMT_TEXT_BINARY: return RunDialog(format.m_FixedPoint);
        case FMT_TEXT_C: return RunDialog(format.m_OptionsC);
        case FMT_ASM_TI: return RunDialog(format.m_AsmOpts);
        case FMT_BINARY_WAVE:
        case FMT_WAVE_8:
        case FMT_WAVE_16: return RunDialog(format.m_WavFmt);
        case FMT_BINARY_INT8:
        case FMT_BINARY_UINT8:
        case FMT_BINARY_INT16:
        case FMT_BINARY_INT32:
            format.m_RawInt.m_nSampleBytes = WordLength(format) / 8;
            return RunDialog(format.m_RawInt);
        case FMT_TEXT_CSV: return RunDialog(format.m_Csv);
        default: ErrorBox(LoadString(IDS_NO_FORMAT_OPTIONS)); return false;
    }
}

}  // namespace kv
