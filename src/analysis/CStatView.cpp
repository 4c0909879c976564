#include "analysis/CStatView.h"

#include "analysis/CFreqStats.h"
#include "data/CKalvoData.h"
#include "platform/CMemFile.h"
#include "platform/StringTable.h"

namespace kv {

void CStatView::OnUpdate(CView*, int hint, CObject* object) {
    if ((hint & 0xF) == 2 && m_pFreqStats == nullptr) {
        if (auto* stats = dynamic_cast<CFreqStats*>(object)) {
            m_pFreqStats = stats;
            m_bFixedFont = true;
            OnFontChanged();
        }
    }
    // A view without statistics has nothing of its own to rebuild.
    if (m_pFreqStats) RebuildText();
}

void CStatView::RebuildText() {
    CMemFile buffer(1024);
    if (m_pFreqStats->WriteFrequencyList(buffer)) {
        m_strText.assign(reinterpret_cast<const char*>(buffer.Data()), static_cast<size_t>(buffer.GetLength()));
        const int64_t length = static_cast<int64_t>(m_strText.size());
        if (m_nTextLimit < length) m_nTextLimit = length + 10000;
    } else if (const CKalvoData* data = m_pFreqStats->GetFreqData(); data && !data->IsEmpty()) {
        // Data that is there but not finite: say why there is no list.
        m_strText = m_pFreqStats->NonFiniteMessage();
    } else {
        m_strText = LoadString(IDS_FREQLIST_TEMP_FILE);
    }
    OnTextChanged();
}

std::string CStatView::GetDisplayText() const {
    std::string text;
    text.reserve(m_strText.size());
    for (char c : m_strText)
        if (c != '\r') text += c;
    return text;
}

}  // namespace kv
