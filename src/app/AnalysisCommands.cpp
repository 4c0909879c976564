#include "app/AnalysisCommands.h"

#include <filesystem>
#include <optional>
#include <string>

#include "analysis/CConverterMetricsDlg.h"
#include "analysis/CDsStats.h"
#include "analysis/CFStatDlg.h"
#include "analysis/CFreqStats.h"
#include "app/CKalvoraDoc.h"
#include "data/CKalvoData.h"
#include "dsp/CWindowProfile.h"
#include "dsp/CWndDlg.h"
#include "formats/FormatHelpers.h"
#include "platform/CDiskFile.h"
#include "platform/CPlatform.h"
#include "platform/CView.h"
#include "platform/StringTable.h"

namespace kv {

bool ShowTimeStatistics(const CKalvoData& timeData) {
    CDsStats dialog;
    return dialog.ComputeAndShow(timeData);
}

bool ShowFrequencyStatistics(CFreqStats& stats) {
    CKalvoData* data = stats.GetFreqData();
    if (!data || data->IsEmpty()) return false;
    FreqStatResults results;
    {
        CWaitCursor wait(LoadString(IDS_GATHERING_FREQ_STATS));
        results = stats.ComputeFrequencyStatistics();
    }
    if (!results.m_bFinite) {
        ErrorBox(stats.NonFiniteMessage());
        return false;
    }
    CFStatDlg dialog;
    dialog.Fill(results, data->m_strDbLabel);
    return RunDialog(dialog);
}

CView* FindListView(const CKalvoraDoc& doc) {
    for (CView* view : doc.GetViews())
        if (!view->IsSignalGraph()) return view;
    return nullptr;
}

void ShowFrequencyList(CKalvoraDoc& doc, CFreqStats& stats) {
    if (CView* view = FindListView(doc))
        Platform().Windows().ActivateView(*view);
    else
        Platform().Windows().CreateListView(doc);
    doc.UpdateViews(HINT_LIST_CHANGED, &stats);
}

bool WriteFrequencyListFile(CFreqStats& stats) {
    CKalvoData* data = stats.GetFreqData();
    std::string* listFile = stats.GetListFileName();
    if (!data || !listFile || data->IsEmpty()) return false;
    // No file, not even an emptied one, for statistics that are not valid.
    bool finite;
    {
        CWaitCursor wait(LoadString(IDS_GATHERING_FREQ_STATS));
        finite = stats.ComputeFrequencyStatistics().m_bFinite;
    }
    if (!finite) {
        ErrorBox(stats.NonFiniteMessage());
        return false;
    }

    // The dialog starts in the directory of the list file written last.
    ChangeToDirectory(DirectoryPart(*listFile));
    *listFile = LoadString(IDS_FREQLIST_DEFAULT_NAME);
    std::optional<std::string> path = Platform().Files().GetSaveFileName(
        LoadString(IDS_FREQLIST_SAVE_TITLE), LoadString(IDS_FREQLIST_FILTER), *listFile);
    if (!path) return false;
    *listFile = *path;

    CDiskFile file;
    if (!file.Open(*path, CDiskFile::Mode::Write)) {
        ErrorBox(FormatString(IDS_FREQLIST_CANNOT_OPEN, *path));
        return false;
    }
    bool written = false;
    try {
        SetStatusText(LoadString(IDS_WRITING_FREQ_LIST));
        stats.WriteFrequencyList(file);
        written = file.Close();
    } catch (const CFileException&) {
        written = false;
    }
    if (!written) {
        // A truncated list would pass for a complete one: remove it.
        file.Close();
        std::error_code error;
        if (std::filesystem::is_regular_file(*path, error)) std::filesystem::remove(*path, error);
        ErrorBox(FormatString(IDS_FREQLIST_CANNOT_WRITE, *path));
    }
    return written;
}

bool ShowConverterMetrics(CKalvoraDoc& doc) {
    const CKalvoData& freq = doc.m_FreqData;
    if (freq.IsEmpty()) return false;
    // The window the Frequency Data records, with the parameter of the
    // project's window settings, and the scale the transform gave it.
    const int32_t window = freq.m_nWindow;
    const double parameter = window == CWndDlg::kDolphChebyshev ? doc.m_WndDlg.m_fGamma
                             : window == CWndDlg::kKaiserBessel ? doc.m_WndDlg.m_fAlpha
                                                                : 0.0;
    const double binScale = doc.m_TransOpt.m_bDivideByN ? 1.0 : 1.0 / freq.GetCount();
    CConverterMetricsDlg dialog([&freq, window, parameter, binScale](const ConverterOptions& options) {
        CWaitCursor wait(LoadString(IDS_GATHERING_FREQ_STATS));
        const auto profile = CWindowProfile::Cached(window, parameter, freq.GetCount());
        return CConverterMetrics::Compute(freq, *profile, binScale, options);
    });
    // Data with nothing to measure gets its reason; options that leave too
    // few bins can be changed in the dialog.
    dialog.Measure();
    const ConverterResults::Problem problem = dialog.m_Results.m_nProblem;
    if (problem != ConverterResults::kNone && problem != ConverterResults::kTooNarrow) {
        ErrorBox(dialog.m_Results.m_strError);
        return false;
    }
    return RunDialog(dialog);
}

}  // namespace kv
