#include "plot/CZoomList.h"

namespace kv {

int CZoomList::Position() const {
    if (IsEmpty()) return 0;
    return m_nCurrent + (m_bCurrentShown ? 0 : 1);
}

int CZoomList::LevelsShown() const { return GetCount() - (m_bCurrentShown ? 1 : 0); }

bool CZoomList::ShowingTop() const { return !IsEmpty() && m_nCurrent == 0 && m_bCurrentShown; }

bool CZoomList::ShowingBottom() const { return !IsEmpty() && (!m_bCurrentShown || m_nCurrent == GetCount() - 1); }

void CZoomList::AddLevel(const CZoomData& view) {
    if (m_nCurrent >= 0) {
        std::size_t keep = static_cast<std::size_t>(m_nCurrent) + (m_bCurrentShown ? 0 : 1);
        if (keep < m_levels.size()) m_levels.resize(keep);
    }
    m_levels.push_back(view);
    m_nCurrent = GetCount() - 1;
    m_bCurrentShown = 0;
}

void CZoomList::InsertTop(const CZoomData& view) {
    m_levels.insert(m_levels.begin(), view);
    ++m_nCurrent;
}

void CZoomList::RemoveAll() {
    m_levels.clear();
    m_nCurrent = -1;
    m_bCurrentShown = 1;
}

}  // namespace kv
