#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/CDialogModel.h"

namespace kv {

// The plot-type and plot-style preferences of Time and Frequency plots, and
// the "Preferences" dialog that edits them. OK writes them to the settings
// store at once (section "Preferences").
class CPreferences : public CDialogModel {
public:
    enum ControlId { IDC_TIME_TYPE = 1101, IDC_TIME_STYLE, IDC_FREQ_TYPE, IDC_FREQ_STYLE, IDC_PLOT_COLORS };

    CPreferences();

    static const std::vector<std::string>& PlotTypeChoices();
    static const std::vector<std::string>& PlotStyleChoices();
    // Classic, Follow desktop, Dark (the plot colour schemes in order).
    static const std::vector<std::string>& PlotColorChoices();
    // The plot colour scheme the settings store holds (0 Classic when unset
    // or not a scheme).
    static int32_t StoredPlotColors();

    // Reads the values from the settings store (missing keys give 0).
    void Load();
    // Writes the values to the settings store.
    void Save() const;

    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

    int32_t m_nTimePlotType = 0;
    int32_t m_nTimePlotStyle = 0;
    int32_t m_nFreqPlotType = 0;
    int32_t m_nFreqPlotStyle = 0;
    int32_t m_nPlotColors = 0;

protected:
    void CreateControls() override;
};

}  // namespace kv
