#include "CFuzzPlatform.h"

#include "app/CKalvoraDoc.h"
#include "platform/CDialogModel.h"
#include "platform/CPropertySheetModel.h"

namespace kv::fuzz {

CFuzzPlatform::CFuzzPlatform() : m_platform(*this, *this, *this, *this, *this, *this) {
    m_platform.SetWindows(this);
    m_pPrevious = SetPlatform(&m_platform);
}

CFuzzPlatform::~CFuzzPlatform() {
    CloseViews();
    SetPlatform(m_pPrevious);
}

MsgAnswer CFuzzPlatform::ShowMessage(const std::string& text, MsgIcon, MsgButtons buttons) {
    // Only the first few are kept: a file may give one per line.
    if (m_Messages.size() < 64) m_Messages.push_back(text);
    switch (buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        default: return MsgAnswer::Ok;
    }
}

bool CFuzzPlatform::RunModal(CDialogModel& model) {
    if (!m_bPressOk) return false;
    model.BeginModal();
    model.SimulateClick(IDOK);
    return model.Result() == IDOK;
}

bool CFuzzPlatform::RunPropertySheet(CPropertySheetModel& sheet) {
    if (!m_bPressOk) return false;
    sheet.BeginModal();
    sheet.PressOK();
    return sheet.Result() == IDOK;
}

bool CFuzzPlatform::SetText(const std::string& text) {
    m_strClipboard = text;
    return true;
}

int CFuzzPlatform::GetInt(const std::string& section, const std::string& key, int defaultValue) {
    if (section == "Preferences") {
        if (key == "TimePlotType") return m_nTimeType;
        if (key == "FreqPlotType") return m_nFreqType;
        if (key == "TimePlotStyle" || key == "FreqPlotStyle") return m_nStyle;
    }
    return defaultValue;
}

CView* CFuzzPlatform::CreatePlotView(CKalvoraDoc& doc) {
    m_Plots.push_back(std::make_unique<CPlotView>());
    CGraph& graph = m_Plots.back()->graph;
    doc.AddView(graph);
    graph.OnInitialUpdate();
    return &graph;
}

CView* CFuzzPlatform::CreateListView(CKalvoraDoc& doc) {
    m_Lists.push_back(std::make_unique<CStatView>());
    doc.AddView(*m_Lists.back());
    m_Lists.back()->OnInitialUpdate();
    return m_Lists.back().get();
}

void CFuzzPlatform::SetPreferredPlot(int timeType, int freqType, int style) {
    m_nTimeType = timeType;
    m_nFreqType = freqType;
    m_nStyle = style;
}

void CFuzzPlatform::CloseViews() {
    m_Plots.clear();
    m_Lists.clear();
}

}  // namespace kv::fuzz
