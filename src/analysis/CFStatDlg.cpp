#include "analysis/CFStatDlg.h"

#include <utility>

#include "analysis/CFreqStats.h"
#include "platform/StringTable.h"

namespace kv {

CFStatDlg::CFStatDlg() : CDialogModel(LoadString(IDS_FSTAT_TITLE)) { m_bOkOnly = true; }

void CFStatDlg::CreateControls() {
    AddControl(IDC_FUNDAMENTAL_FREQUENCY, ControlKind::Static, "");
    const int powers = AddGroup(LoadString(IDS_FSTAT_POWERS));
    const struct {
        int id;
        StringId label;
    } powerRows[] = {{IDC_FUNDAMENTAL, IDS_FSTAT_FUNDAMENTAL},
                     {IDC_DC, IDS_FSTAT_DC},
                     {IDC_DISTORTION, IDS_FSTAT_DISTORTION},
                     {IDC_NOISE, IDS_FSTAT_NOISE},
                     {IDC_TOTAL, IDS_FSTAT_TOTAL}};
    int row = 0;
    for (const auto& r : powerRows) AddControl(r.id, ControlKind::Static, "", powers, row++).m_strLabel = LoadString(r.label);
    const int ratios = AddGroup(LoadString(IDS_FSTAT_RATIOS));
    AddControl(IDC_SFDR, ControlKind::Static, "", ratios, 0).m_strLabel = LoadString(IDS_FSTAT_SFDR);
    AddControl(IDC_SINAD, ControlKind::Static, "", ratios, 1).m_strLabel = LoadString(IDS_FSTAT_SINAD);
    AddControl(IDC_SNR, ControlKind::Static, "", ratios, 2).m_strLabel = LoadString(IDS_FSTAT_SNR);
}

void CFStatDlg::Fill(const FreqStatResults& r, const std::string& dbLabel) {
    const char* label = dbLabel.c_str();
    m_strFundamentalFrequency = FormatPrintf(IDS_FSTAT_FUNDAMENTAL_FREQUENCY, r.m_dFundamentalFrequency);
    m_strFundamental = FormatPrintf(IDS_FSTAT_POWER_FORMAT, r.m_dFundamentalPower, label);
    m_strDc = FormatPrintf(IDS_FSTAT_POWER_FORMAT, r.m_dDcPower, label);
    m_strDistortion = FormatPrintf(IDS_FSTAT_POWER_FORMAT, r.m_dDistortionPower, label);
    m_strNoise = FormatPrintf(IDS_FSTAT_POWER_FORMAT, r.m_dNoisePower, label);
    m_strTotal = FormatPrintf(IDS_FSTAT_POWER_FORMAT, r.m_dTotalPower, label);
    m_strSfdr = FormatPrintf(IDS_FSTAT_RATIO_FORMAT, r.m_dSfdr);
    m_strSinad = FormatPrintf(IDS_FSTAT_RATIO_FORMAT, r.m_dSinad);
    m_strSnr = FormatPrintf(IDS_FSTAT_RATIO_FORMAT, r.m_dSnr);
}

void CFStatDlg::DoDataExchange(CDataExchange& dx) {
    if (dx.Saving()) return;
    const std::pair<int, const std::string*> texts[] = {
        {IDC_FUNDAMENTAL_FREQUENCY, &m_strFundamentalFrequency},
        {IDC_FUNDAMENTAL, &m_strFundamental},
        {IDC_DC, &m_strDc},
        {IDC_DISTORTION, &m_strDistortion},
        {IDC_NOISE, &m_strNoise},
        {IDC_TOTAL, &m_strTotal},
        {IDC_SFDR, &m_strSfdr},
        {IDC_SINAD, &m_strSinad},
        {IDC_SNR, &m_strSnr},
    };
    for (const auto& [id, text] : texts) dx.Dialog().Control(id).m_strCaption = *text;
}

}  // namespace kv
