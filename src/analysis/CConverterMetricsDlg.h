#pragma once
#include <cstdint>
#include <functional>

#include "analysis/CConverterMetrics.h"
#include "platform/CDialogModel.h"

namespace kv {

// The "Converter Metrics" dialog: the options of the measurement (full
// scale, highest harmonic, span of bins), which Apply takes and the settings
// store keeps for the next time, the results of the last measurement, Copy
// (the results as text on the clipboard) and OK. The measurement itself is
// given by the command that opens the dialog.
class CConverterMetricsDlg : public CDialogModel {
public:
    enum ControlId {
        IDC_FULL_SCALE = 4601,
        IDC_HARMONICS,
        IDC_SPAN_BINS,
        IDC_APPLY,
        IDC_RESULT_FIRST,  // one static per result line, in the order of ResultLines
        IDC_HARMONIC_LIST = IDC_RESULT_FIRST + 16,
        IDC_MESSAGE,
        IDC_COPY,
    };
    using Measurement = std::function<ConverterResults(const ConverterOptions&)>;

    explicit CConverterMetricsDlg(Measurement measure = {});

    // The options kept in the settings store (section "Converter Metrics");
    // defaults for what is missing or out of range.
    static ConverterOptions LoadOptions();
    static void SaveOptions(const ConverterOptions& options);

    // Measures with the options (the results of Measure, when it ran
    // before, are kept) and shows the results.
    bool OnInitDialog() override;
    // Measures with the options now, before the dialog opens.
    void Measure();
    // Apply: the options as typed (refused with the field rules' messages),
    // kept, and measured again. Copy: the results as text on the clipboard.
    void OnClicked(int id) override;
    // Takes and keeps the options as typed; a refused field keeps the dialog open.
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

    ConverterOptions m_Options;
    ConverterResults m_Results;

protected:
    void CreateControls() override;

private:
    void MeasureAndShow();
    void ShowResults();

    Measurement m_measure;
    bool m_bMeasured = false;
};

}  // namespace kv
