#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

// The options of the raw integer formats (Binary:int8, Binary:uint8,
// Binary:int16, Binary:int32) and the "Binary Integer Options" dialog that
// edits them: the byte order of the samples and a number of bytes at the
// start of the file (a header of another program) that are not samples.
class CRawIntOpts : public CDialogModel {
public:
    enum ControlId {
        IDC_LITTLE = 1701,  // radio group "Byte Order"
        IDC_BIG,
        IDC_SKIP,
    };

    CRawIntOpts();

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

    int32_t m_bBigEndian = 0;
    int32_t m_nSkipBytes = 0;
    // Bytes per sample of the format the dialog is opened for: the byte order
    // means nothing for one-byte samples, and its buttons are disabled then.
    int32_t m_nSampleBytes = 2;

protected:
    void CreateControls() override;
};

}  // namespace kv
