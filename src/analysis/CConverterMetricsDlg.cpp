#include "analysis/CConverterMetricsDlg.h"

#include <cmath>
#include <string>

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

const char* const kSection = "Converter Metrics";
const char* const kFullScaleKey = "FullScale";
const char* const kHarmonicsKey = "Harmonics";
const char* const kSpanKey = "SpanBins";
// Result lines the dialog has statics for (ResultLines gives eleven).
constexpr int kResultRows = 11;
// The full scale is an amplitude in the data's own units.
constexpr double kMinFullScale = 1e-30;
constexpr double kMaxFullScale = 1e30;
// The message under the results is broken into lines of about this many
// characters, so a long warning does not widen the dialog.
constexpr size_t kMessageColumns = 72;

// Breaks text at spaces into lines of at most `columns` characters (a
// longer word stands on a line of its own).
std::string WrapText(const std::string& text, size_t columns) {
    std::string wrapped, line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        if (!line.empty() && line.size() + 1 + word.size() > columns) {
            wrapped += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return wrapped + line;
}

}  // namespace

CConverterMetricsDlg::CConverterMetricsDlg(Measurement measure)
    : CDialogModel(LoadString(IDS_CONV_TITLE)), m_Options(LoadOptions()), m_measure(std::move(measure)) {
    m_bOkOnly = true;
}

ConverterOptions CConverterMetricsDlg::LoadOptions() {
    ConverterOptions options;
    ISettings& settings = Platform().Settings();
    double fullScale = 0.0;
    if (ParseRealField(settings.GetString(kSection, kFullScaleKey, ""), fullScale) && fullScale >= kMinFullScale &&
        fullScale <= kMaxFullScale)
        options.m_dFullScale = fullScale;
    const int harmonics = settings.GetInt(kSection, kHarmonicsKey, options.m_nHarmonics);
    if (harmonics >= 1 && harmonics <= ConverterOptions::kMaxHarmonics) options.m_nHarmonics = harmonics;
    const int span = settings.GetInt(kSection, kSpanKey, options.m_nSpanBins);
    if (span >= 0 && span <= ConverterOptions::kMaxSpanBins) options.m_nSpanBins = span;
    return options;
}

void CConverterMetricsDlg::SaveOptions(const ConverterOptions& options) {
    ISettings& settings = Platform().Settings();
    settings.SetString(kSection, kFullScaleKey, FormatDoubleField(options.m_dFullScale));
    settings.SetInt(kSection, kHarmonicsKey, options.m_nHarmonics);
    settings.SetInt(kSection, kSpanKey, options.m_nSpanBins);
}

void CConverterMetricsDlg::CreateControls() {
    const int options = AddGroup(LoadString(IDS_CONV_OPTIONS));
    AddEdit(IDC_FULL_SCALE, LoadString(IDS_CONV_FULL_SCALE), options, 0).m_strSuffix =
        LoadString(IDS_CONV_FULL_SCALE_UNIT);
    AddEdit(IDC_HARMONICS, LoadString(IDS_CONV_HARMONICS_UP_TO), options, 1);
    AddEdit(IDC_SPAN_BINS, LoadString(IDS_CONV_SPAN_BINS), options, 2).m_strSuffix = LoadString(IDS_CONV_SPAN_AUTO);
    AddControl(IDC_APPLY, ControlKind::Button, LoadString(IDS_CONV_APPLY), options, 3);

    const int results = AddGroup(LoadString(IDS_CONV_RESULTS));
    // The labels of the lines, as a valid measurement names them.
    const StringId labels[kResultRows] = {IDS_CONV_FUNDAMENTAL, IDS_CONV_SIGNAL,      IDS_CONV_SNR, IDS_CONV_SINAD,
                                          IDS_CONV_THD,         IDS_CONV_SFDR,        IDS_CONV_ENOB,
                                          IDS_CONV_NOISE_FLOOR, IDS_CONV_NSD,         IDS_CONV_SPAN,
                                          IDS_CONV_SPECTRUM};
    for (int row = 0; row < kResultRows; ++row)
        AddControl(IDC_RESULT_FIRST + row, ControlKind::Static, "", results, row).m_strLabel = LoadString(labels[row]);
    AddControl(IDC_HARMONIC_LIST, ControlKind::ListBox, "", results, kResultRows).m_strLabel =
        LoadString(IDS_CONV_HARMONICS);
    // The message and Copy below the groups, so a message does not widen
    // the label column of the results.
    AddControl(IDC_MESSAGE, ControlKind::Static, "", -1, 0);
    AddControl(IDC_COPY, ControlKind::Button, LoadString(IDS_CONV_COPY), -1, 1);
}

void CConverterMetricsDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_FULL_SCALE, m_Options.m_dFullScale);
    dx.MinMaxFloat(m_Options.m_dFullScale, kMinFullScale, kMaxFullScale);
    dx.Text(IDC_HARMONICS, m_Options.m_nHarmonics);
    dx.MinMaxInt(m_Options.m_nHarmonics, 1, ConverterOptions::kMaxHarmonics);
    dx.Text(IDC_SPAN_BINS, m_Options.m_nSpanBins);
    dx.MinMaxInt(m_Options.m_nSpanBins, 0, ConverterOptions::kMaxSpanBins);
}

bool CConverterMetricsDlg::OnInitDialog() {
    UpdateData(false);
    if (m_bMeasured)
        ShowResults();
    else
        MeasureAndShow();
    return true;
}

void CConverterMetricsDlg::Measure() {
    if (m_measure) m_Results = m_measure(m_Options);
    m_bMeasured = true;
}

void CConverterMetricsDlg::MeasureAndShow() {
    Measure();
    ShowResults();
}

void CConverterMetricsDlg::ShowResults() {
    const std::vector<CConverterMetrics::Line> lines = CConverterMetrics::ResultLines(m_Results);
    for (int row = 0; row < kResultRows; ++row)
        Control(IDC_RESULT_FIRST + row).m_strCaption =
            row < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(row)].value : std::string();
    CControl& list = Control(IDC_HARMONIC_LIST);
    list.m_items.clear();
    list.m_nSel = -1;
    if (m_Results.m_bValid)
        for (const ConverterHarmonic& h : m_Results.m_Harmonics)
            list.m_items.push_back(CConverterMetrics::HarmonicText(h, m_Results.m_strFrequencyUnit));
    std::string message;
    if (!m_Results.m_bValid)
        message = m_Results.m_strError;
    else if (m_Results.m_bWindowLimited)
        message = LoadString(IDS_CONV_WINDOW_LIMITED);
    Control(IDC_MESSAGE).m_strCaption = WrapText(message, kMessageColumns);
    EnableControl(IDC_COPY, m_Results.m_bValid);
}

void CConverterMetricsDlg::OnClicked(int id) {
    if (id == IDC_APPLY) {
        if (!UpdateData(true)) return;
        SaveOptions(m_Options);
        MeasureAndShow();
    } else if (id == IDC_COPY) {
        Platform().Clipboard().SetText(CConverterMetrics::FormatText(m_Results));
    }
}

void CConverterMetricsDlg::OnOK() {
    if (!UpdateData(true)) return;
    SaveOptions(m_Options);
    EndDialog(IDOK);
}

}  // namespace kv
