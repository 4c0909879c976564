#include "app/CView.h"

#include "app/CKalvoraDoc.h"

namespace kv {

// A view that goes away first leaves its document's list.
CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(*this);
}

}  // namespace kv
