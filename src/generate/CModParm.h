#pragma once
#include <cstdint>
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

class CArchive;

// The "Modulation" page of the signal generator: modulation type and carrier.
class CModParm : public CDialogModel {
public:
    enum ControlId {
        IDC_FM = 105,
        IDC_USB = 108,
        IDC_LSB = 350,
        IDC_NO_CARRIER = 352,
        IDC_AM = 2002,
        IDC_CARRIER_FREQUENCY = 2009,
        IDC_DEVIATION = 2016,
        IDC_HILBERT_FILTER = 2030,
        IDC_CARRIER_PHASE = 2033,
        IDC_PERCENT_MOD = 2037,
        IDC_CW = 2038,
        IDC_SSB_NOTE = 2039,
    };
    enum Modulation : int32_t { CW = 0, AM = 1, FM = 2, LSB = 3, USB = 4, NoCarrier = 5 };

    CModParm();

    void DoDataExchange(CDataExchange& dx) override;
    // CW needs a carrier frequency other than 0; the page stays open otherwise.
    bool OnKillActive() override;

    // The page's record of a project file (the same in every version).
    void Serialize(CArchive& ar, int version);

    int32_t m_nModulation = AM;
    float m_fCarrierFrequency = 1.0f;
    float m_fCarrierPhase = 0.0f;  // degrees
    float m_fPercentMod = 30.0f;
    float m_fDeviation = 1.0f;
    std::string m_strHilbertFilter;  // kept while the project is open; not stored, not used

protected:
    void CreateControls() override;
};

}  // namespace kv
