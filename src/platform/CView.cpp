#include "platform/CView.h"

#include "platform/CSerDoc.h"

namespace kv {

// A view that goes away first leaves its document's list.
CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(*this);
}

}  // namespace kv
