#pragma once
#include <cstdint>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The project's transform options and their "Fourier Transform Options"
// dialog: how many points of the Time Data are transformed, whether the
// dialog shows before every transform, and which direction divides by N.
class CTransOpt : public CDialogModel {
public:
    enum ControlId {
        IDC_CHOSEN_LENGTH = 354,      // third radio button, beside the length box
        IDC_DIVIDE_BY_N = 2020,
        IDC_MAX_POWER_OF_TWO = 2096,
        IDC_MAXIMUM = 2097,           // first radio button of the "Length" group
        IDC_SHOW_OPTIONS = 2098,
        IDC_LENGTH = 2099,
        IDC_LENGTH_LIST = 2100,
    };
    // m_nLengthType values.
    enum LengthType { kMaximum = 0, kMaxPowerOfTwo = 1, kChosenLength = 2 };
    static constexpr int kListRows = 14;  // 32, 64, ... 262144

    CTransOpt();

    void DoDataExchange(CDataExchange& dx) override;
    // Focus on the length box chooses the third length type at once.
    void OnSetFocus(int id) override;
    // A row of the length list sets the length 2^(row + 5) and the third
    // length type at once (so Cancel keeps it).
    void OnSelChange(int id) override;

    // The transform options record of a project file: length type (u16),
    // length (i32), reserved (u16), show-options flag (u16). The divide flag
    // is not stored.
    void Serialize(CArchive& ar, int version);

    int32_t m_nLength = 256;
    int32_t m_bShowOptions = 0;
    int32_t m_bDivideByN = 0;
    int32_t m_nLengthType = kMaximum;
    int32_t m_nReserved = 0;

protected:
    void CreateControls() override;

private:
    // Takes what the controls hold into the members without complaining
    // about a length that does not parse (it keeps its value).
    void ReadControlsQuietly();
};

}  // namespace kv
