#include "platform/CPropertySheetModel.h"

#include "platform/CDialogModel.h"

namespace kv {

void CPropertySheetModel::BeginModal() {
    m_nResult = 0;
    m_nActive = 0;
    m_shown.assign(m_pages.size(), false);
    if (!m_pages.empty()) {
        m_pages[0]->BeginModal();
        m_pages[0]->OnSetActive();
        m_shown[0] = true;
    }
}

bool CPropertySheetModel::SetActivePage(int index) {
    if (index < 0 || index >= static_cast<int>(m_pages.size()) || index == m_nActive) return index == m_nActive;
    if (!m_pages[static_cast<size_t>(m_nActive)]->OnKillActive()) return false;
    m_nActive = index;
    CDialogModel& page = *m_pages[static_cast<size_t>(index)];
    if (!m_shown[static_cast<size_t>(index)]) {
        page.BeginModal();
        m_shown[static_cast<size_t>(index)] = true;
    } else {
        page.UpdateData(false);
    }
    page.OnSetActive();
    return true;
}

void CPropertySheetModel::PressOK() {
    if (!m_pages.empty() && !m_pages[static_cast<size_t>(m_nActive)]->OnKillActive()) return;
    m_nResult = 1;  // IDOK
}

void CPropertySheetModel::PressCancel() { m_nResult = 2; }  // IDCANCEL

}  // namespace kv
