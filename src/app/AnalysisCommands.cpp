#include "app/AnalysisCommands.h"

#include <filesystem>
#include <optional>
#include <string>

#include "analysis/CDsStats.h"
#include "analysis/CFStatDlg.h"
#include "analysis/CFreqStats.h"
#include "app/CKalvoraDoc.h"
#include "data/CKalvoData.h"
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

}  // namespace kv
