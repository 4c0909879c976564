#pragma once
#include <string>

#include "platform/CDialogModel.h"

namespace kv {

struct FreqStatResults;

// The "Frequency Data Statistics" dialog: the fundamental frequency above
// the groups "Powers" and "Ratios", each value a text filled before the
// dialog opens.
class CFStatDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_DC = 2015,
        IDC_DISTORTION = 2019,
        IDC_FUNDAMENTAL_FREQUENCY = 2028,
        IDC_FUNDAMENTAL = 2029,
        IDC_NOISE = 2039,
        IDC_SFDR = 2084,
        IDC_SINAD = 2085,
        IDC_SNR = 2087,
        IDC_TOTAL = 2095,
    };

    CFStatDlg();

    // Fills the texts from the results; the powers carry the dB label.
    void Fill(const FreqStatResults& results, const std::string& dbLabel);

    void DoDataExchange(CDataExchange& dx) override;
    // The texts are for reading only: OK just closes.
    void OnOK() override { EndDialog(IDOK); }

    std::string m_strFundamentalFrequency;
    std::string m_strFundamental;
    std::string m_strDc;
    std::string m_strDistortion;
    std::string m_strNoise;
    std::string m_strTotal;
    std::string m_strSfdr;
    std::string m_strSinad;
    std::string m_strSnr;

protected:
    void CreateControls() override;
};

}  // namespace kv
