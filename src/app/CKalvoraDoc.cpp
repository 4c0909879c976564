#include "app/CKalvoraDoc.h"

#include "app/CView.h"
#include "platform/CArchive.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

int g_nLiveProjects = 0;

}  // namespace

CKalvoraDoc::CKalvoraDoc() {
    m_TimeData.m_bTime = 1;
    m_TimeData.ApplyFs(m_Fs);
    m_TimeData.ResetRange();
    m_FreqData.m_bTime = 0;
    m_FreqData.ApplyFs(m_Fs);
    m_FreqData.ResetRange();
    ++g_nLiveProjects;
}

// The count follows the projects that exist, however they were closed.
CKalvoraDoc::~CKalvoraDoc() { --g_nLiveProjects; }

int CKalvoraDoc::LiveProjectCount() { return g_nLiveProjects; }

bool CKalvoraDoc::NewProject() {
    ClearData();
    SetPathName({});
    SetModified(false);
    SaveUndoState();
    MaximizeFirstView();
    return true;
}

void CKalvoraDoc::CloseProject() {
    if (g_nLiveProjects > 1) {
        Platform().Windows().CloseDocument(*this);
        return;
    }
    // The last project stays open, emptied; its path, modified flag and undo
    // history stay, so Undo brings the data back.
    ClearData();
    UpdateViews(HINT_REDRAW_ALL, nullptr);
}

void CKalvoraDoc::ClearData() {
    m_TimeData.Reset();
    m_FreqData.Reset();
}

void CKalvoraDoc::Serialize(CArchive& ar) {
    const int version = 20;
    if (ar.IsStoring()) {
        m_nVersion = version;
        ar.WriteU16(static_cast<uint16_t>(((m_nVersionHigh & 0xFF) << 8) | version));
    } else {
        uint16_t word = ar.ReadU16();
        m_nVersion = static_cast<int16_t>(word & 0xFF);
        m_nVersionHigh = static_cast<uint16_t>(word >> 8);
    }
    int v = m_nVersion > version ? version : m_nVersion;
    m_RefDlg.Serialize(ar, v);
    m_Fs.Serialize(v, ar);
    if (v >= 15) {
        m_TimeData.Serialize(ar, v);
        m_FreqData.Serialize(ar, v);
    }
    if (ar.IsLoading()) {
        m_TimeData.ApplyFs(m_Fs);
        m_FreqData.ApplyFs(m_Fs);
    }
}

void CKalvoraDoc::UpdateViews(int hint, CObject* object) { UpdateAllViews(nullptr, hint, object); }

std::string CKalvoraDoc::ReadSourceTitle(int) const { return m_strSourceTitle; }

void CKalvoraDoc::OpenPlot(int operation, bool addNew, CKalvoData& data) {
    CView* found = nullptr;
    for (CView* v : GetViews()) {
        if (v->IsSignalGraph() && (v->GetGraphData() == &data || v->GetGraphData() == nullptr)) {
            found = v;
            break;
        }
    }
    if (!found || addNew)
        Platform().Windows().CreatePlotView(*this);
    else
        Platform().Windows().ActivateView(*found);

    ISettings& settings = Platform().Settings();
    int type, style;
    if (!data.IsTime()) {
        type = settings.GetInt("Preferences", "FreqPlotType", 0);
        style = settings.GetInt("Preferences", "FreqPlotStyle", 0);
    } else {
        type = settings.GetInt("Preferences", "TimePlotType", 0);
        style = settings.GetInt("Preferences", "TimePlotStyle", 0);
        if (type == 0) type = data.IsReal() ? 1 : 3;
    }

    if (operation == 1)
        m_strSourceTitle = LoadString(IDS_GENERATED_SINE);
    else if (operation == 2 || operation == 13)
        m_strSourceTitle = ReadSourceTitle(operation);
    data.m_strName = m_strSourceTitle;

    UpdateViews(HINT_PLOT_OPENED + 16 * type + 4096 * style, &data);
}

void CKalvoraDoc::MaximizeFirstView() {
    if (!GetViews().empty()) Platform().Windows().MaximizeView(*GetViews().front());
}

void CKalvoraDoc::UpdateDbReference() {
    m_FreqData.m_fMinDb = m_RefDlg.m_fMinDb;
    double peak = 1.0;
    if (!m_FreqData.IsEmpty() && m_FreqData.m_nStop - m_FreqData.m_nStart + 1 != 0)
        peak = static_cast<double>(static_cast<float>(m_FreqData.PeakPower()));
    m_FreqData.m_dDbOffset = m_RefDlg.DbOffset(peak);
    m_FreqData.m_strDbLabel = m_RefDlg.DbLabel();
}

void CKalvoraDoc::Undo() {
    UndoStep();
    UpdateViews(HINT_DATA_CHANGED, &m_TimeData);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
}

void CKalvoraDoc::Redo() {
    RedoStep();
    UpdateViews(HINT_DATA_CHANGED, &m_TimeData);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
}

}  // namespace kv
