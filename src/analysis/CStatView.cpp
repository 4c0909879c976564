#include "analysis/CStatView.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "analysis/CFreqStats.h"
#include "data/CKalvoData.h"
#include "platform/CMemFile.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// The members of the data that the list's text depends on besides its
// values, as bits (NaN equals itself, -0 differs from 0).
std::array<uint64_t, 12> SettingsOf(const CKalvoData& data) {
    auto bits = [](double x) { return std::bit_cast<uint64_t>(x); };
    auto whole = [](int64_t i) { return static_cast<uint64_t>(i); };
    return {whole(data.m_bTime),  whole(data.IsReal()),  whole(data.m_nStart),        whole(data.m_nStop),
            whole(data.m_nCount), whole(data.m_nHalf),   bits(data.m_dStep),          bits(data.m_dDbOffset),
            bits(data.m_fMinDb),  bits(data.m_dFs),      whole(data.m_Fs.GetUnit()), bits(data.m_Fs.m_dValue)};
}

bool SameValues(const std::vector<double>& kept, const double* values, int32_t count) {
    return kept.size() == static_cast<size_t>(count) &&
           (count == 0 || std::memcmp(kept.data(), values, kept.size() * sizeof(double)) == 0);
}

}  // namespace

void CStatView::OnUpdate(CView*, int hint, CObject* object) {
    if ((hint & 0xF) == 2 && m_pFreqStats == nullptr) {
        if (auto* stats = dynamic_cast<CFreqStats*>(object)) {
            m_pFreqStats = stats;
            m_bFixedFont = true;
            OnFontChanged();
        }
    }
    // A view without statistics has nothing of its own to rebuild.
    if (!m_pFreqStats) return;
    if (!SameInputs()) RebuildText();
    OnTextChanged();
}

bool CStatView::SameInputs() const {
    if (!m_Inputs.valid) return false;
    const CKalvoData* data = m_pFreqStats->GetFreqData();
    if (data != m_Inputs.data || m_pFreqStats->GetListLength() != m_Inputs.listLength) return false;
    if (!data) return true;
    const int32_t count = data->GetCount();
    if (count != m_Inputs.count || SettingsOf(*data) != m_Inputs.settings) return false;
    if (count == 0) return true;
    return SameValues(m_Inputs.inphase, data->Inphase().GetData(), count) &&
           SameValues(m_Inputs.quadrature, data->Quadrature().GetData(), count);
}

void CStatView::KeepInputs() {
    m_Inputs.valid = false;
    const CKalvoData* data = m_pFreqStats->GetFreqData();
    const int32_t count = data ? data->GetCount() : 0;
    if (count > kKeptPoints) {
        // Too long to keep a copy of: written again next time.
        m_Inputs.inphase = {};
        m_Inputs.quadrature = {};
        return;
    }
    m_Inputs.data = data;
    m_Inputs.listLength = m_pFreqStats->GetListLength();
    m_Inputs.count = count;
    if (data) m_Inputs.settings = SettingsOf(*data);
    m_Inputs.inphase.clear();
    m_Inputs.quadrature.clear();
    if (count > 0) {
        const double* re = data->Inphase().GetData();
        const double* im = data->Quadrature().GetData();
        m_Inputs.inphase.assign(re, re + count);
        m_Inputs.quadrature.assign(im, im + count);
    }
    m_Inputs.valid = true;
}

void CStatView::RebuildText() {
    CMemFile buffer(1024);
    // Kept first: writing the list leaves the data as it is.
    KeepInputs();
    try {
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
    } catch (...) {
        // A list that failed to be written is written again next time.
        m_Inputs.valid = false;
        throw;
    }
}

std::string CStatView::GetDisplayText() const {
    std::string text;
    text.reserve(m_strText.size());
    for (char c : m_strText)
        if (c != '\r') text += c;
    return text;
}

}  // namespace kv
