#include "platform/CSerDoc.h"

#include <algorithm>

#include "platform/CView.h"

namespace kv {

CSerDoc::~CSerDoc() {
    for (CView* v : m_views) v->m_pDocument = nullptr;
}

void CSerDoc::AddView(CView& view) {
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end()) m_views.push_back(&view);
    view.m_pDocument = this;
}

void CSerDoc::RemoveView(CView& view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), &view), m_views.end());
    if (view.m_pDocument == this) view.m_pDocument = nullptr;
}

void CSerDoc::UpdateAllViews(CView* sender, int hint, CObject* object) {
    // A view may open or close windows while it updates; walk a copy.
    std::vector<CView*> views = m_views;
    for (CView* v : views)
        if (v != sender && std::find(m_views.begin(), m_views.end(), v) != m_views.end()) v->OnUpdate(sender, hint, object);
}

}  // namespace kv
