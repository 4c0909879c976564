#include "support/CScriptedWindows.h"

#include "app/CKalvoraDoc.h"
#include "platform/CPlatform.h"

namespace kv::test {

CScriptedWindows::CScriptedWindows() : m_pPrevious(nullptr) {
    Platform().SetWindows(this);
}

CScriptedWindows::~CScriptedWindows() {
    for (auto& v : views)
        if (v->GetDocument()) v->GetDocument()->RemoveView(*v);
    Platform().SetWindows(nullptr);
}

CView* CScriptedWindows::CreatePlotView(CKalvoraDoc& doc) {
    requests.push_back("plot");
    views.push_back(std::make_unique<CRecordingView>(true));
    doc.AddView(*views.back());
    views.back()->OnInitialUpdate();
    return views.back().get();
}

CView* CScriptedWindows::CreateListView(CKalvoraDoc& doc) {
    requests.push_back("list");
    views.push_back(std::make_unique<CRecordingView>(false));
    doc.AddView(*views.back());
    views.back()->OnInitialUpdate();
    return views.back().get();
}

int CScriptedWindows::IndexOf(CView& view) const {
    for (size_t i = 0; i < views.size(); ++i)
        if (views[i].get() == &view) return static_cast<int>(i);
    return -1;
}

void CScriptedWindows::ActivateView(CView& view) { requests.push_back("activate " + std::to_string(IndexOf(view))); }

void CScriptedWindows::MaximizeView(CView& view) { requests.push_back("maximize " + std::to_string(IndexOf(view))); }

void CScriptedWindows::CloseDocument(CKalvoraDoc& doc) {
    requests.push_back("close");
    closed.push_back(&doc);
}

}  // namespace kv::test
