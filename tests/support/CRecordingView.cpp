#include "support/CRecordingView.h"

#include "data/CKalvoData.h"

namespace kv::test {

void CRecordingView::OnUpdate(CView*, int hint, CObject* object) {
    updates.push_back({hint, object});
    // A plot takes the data object it is opened for (hint 769 + ...).
    if (m_bSignalGraph && m_pData == nullptr && (hint & 0xF) == 1)
        if (auto* data = dynamic_cast<CKalvoData*>(object)) m_pData = data;
}

}  // namespace kv::test
