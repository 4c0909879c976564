#include "app/CPreferences.h"

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

const char* const kSection = "Preferences";

}  // namespace

CPreferences::CPreferences() : CDialogModel(LoadString(IDS_PREFERENCES_TITLE)) {}

const std::vector<std::string>& CPreferences::PlotTypeChoices() {
    static const std::vector<std::string> choices = {
        LoadString(IDS_PLOT_TYPE_AUTO),       LoadString(IDS_PLOT_TYPE_INPHASE),   LoadString(IDS_PLOT_TYPE_QUADRATURE),
        LoadString(IDS_PLOT_TYPE_IQ),         LoadString(IDS_PLOT_TYPE_MAGNITUDE), LoadString(IDS_PLOT_TYPE_PHASE),
        LoadString(IDS_PLOT_TYPE_POLAR),      LoadString(IDS_PLOT_TYPE_HISTOGRAM)};
    return choices;
}

const std::vector<std::string>& CPreferences::PlotStyleChoices() {
    static const std::vector<std::string> choices = {
        LoadString(IDS_PLOT_STYLE_AUTO), LoadString(IDS_PLOT_STYLE_LINE),  LoadString(IDS_PLOT_STYLE_DOT),
        LoadString(IDS_PLOT_STYLE_LINE_DOT), LoadString(IDS_PLOT_STYLE_BAR), LoadString(IDS_PLOT_STYLE_STEM),
        LoadString(IDS_PLOT_STYLE_VLINE), LoadString(IDS_PLOT_STYLE_STAIR)};
    return choices;
}

void CPreferences::Load() {
    ISettings& s = Platform().Settings();
    m_nTimePlotType = s.GetInt(kSection, "TimePlotType", 0);
    m_nTimePlotStyle = s.GetInt(kSection, "TimePlotStyle", 0);
    m_nFreqPlotType = s.GetInt(kSection, "FreqPlotType", 0);
    m_nFreqPlotStyle = s.GetInt(kSection, "FreqPlotStyle", 0);
    m_nPlotColors = StoredPlotColors();
}

void CPreferences::Save() const {
    ISettings& s = Platform().Settings();
    s.SetInt(kSection, "TimePlotType", m_nTimePlotType);
    s.SetInt(kSection, "TimePlotStyle", m_nTimePlotStyle);
    s.SetInt(kSection, "FreqPlotType", m_nFreqPlotType);
    s.SetInt(kSection, "FreqPlotStyle", m_nFreqPlotStyle);
    s.SetInt(kSection, "PlotColors", m_nPlotColors);
}

void CPreferences::CreateControls() {
    int time = AddGroup(LoadString(IDS_PREFERENCES_TIME_PLOT));
    CControl& timeType = AddControl(IDC_TIME_TYPE, ControlKind::DropList, {}, time, 0);
    timeType.m_strLabel = LoadString(IDS_PREFERENCES_TYPE);
    timeType.m_items = PlotTypeChoices();
    CControl& timeStyle = AddControl(IDC_TIME_STYLE, ControlKind::DropList, {}, time, 1);
    timeStyle.m_strLabel = LoadString(IDS_PREFERENCES_STYLE);
    timeStyle.m_items = PlotStyleChoices();
    int freq = AddGroup(LoadString(IDS_PREFERENCES_FREQ_PLOT));
    CControl& freqType = AddControl(IDC_FREQ_TYPE, ControlKind::DropList, {}, freq, 0);
    freqType.m_strLabel = LoadString(IDS_PREFERENCES_TYPE);
    freqType.m_items = PlotTypeChoices();
    CControl& freqStyle = AddControl(IDC_FREQ_STYLE, ControlKind::DropList, {}, freq, 1);
    freqStyle.m_strLabel = LoadString(IDS_PREFERENCES_STYLE);
    freqStyle.m_items = PlotStyleChoices();
    int colours = AddGroup("Colours");
    CControl& plotColors = AddControl(IDC_PLOT_COLORS, ControlKind::DropList, {}, colours, 0);
    plotColors.m_strLabel = "Plot colours";
    plotColors.m_items = PlotColorChoices();
}

const std::vector<std::string>& CPreferences::PlotColorChoices() {
    static const std::vector<std::string> choices{"Classic", "Follow desktop", "Dark"};
    return choices;
}

int32_t CPreferences::StoredPlotColors() {
    const int32_t v = Platform().Settings().GetInt(kSection, "PlotColors", 0);
    return v >= 0 && v < static_cast<int32_t>(PlotColorChoices().size()) ? v : 0;
}

void CPreferences::DoDataExchange(CDataExchange& dx) {
    // A list without a selection keeps the value it had.
    int32_t v = m_nTimePlotType;
    dx.ListIndex(IDC_TIME_TYPE, v);
    if (v >= 0) m_nTimePlotType = v;
    v = m_nTimePlotStyle;
    dx.ListIndex(IDC_TIME_STYLE, v);
    if (v >= 0) m_nTimePlotStyle = v;
    v = m_nFreqPlotType;
    dx.ListIndex(IDC_FREQ_TYPE, v);
    if (v >= 0) m_nFreqPlotType = v;
    v = m_nFreqPlotStyle;
    dx.ListIndex(IDC_FREQ_STYLE, v);
    if (v >= 0) m_nFreqPlotStyle = v;
    v = m_nPlotColors;
    dx.ListIndex(IDC_PLOT_COLORS, v);
    if (v >= 0) m_nPlotColors = v;
}

void CPreferences::OnOK() {
    if (!UpdateData(true)) return;
    Save();
    EndDialog(IDOK);
}

}  // namespace kv
