#include "app/CListLength.h"

#include "platform/StringTable.h"

namespace kv {

CListLength::CListLength() : CDialogModel(LoadString(IDS_LIST_LENGTH_TITLE)) {}

void CListLength::CreateControls() { AddEdit(IDC_LIST_ENTRIES, {}); }

void CListLength::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_LIST_ENTRIES, m_nListEntries);
    // The frequency list holds at most 100 entries.
    dx.MinMaxInt(m_nListEntries, 1, kMaxEntries);
}

}  // namespace kv
