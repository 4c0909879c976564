#include "data/CTitles.h"

#include "platform/StringTable.h"

namespace kv {

CTitles::CTitles() : CDialogModel(LoadString(IDS_PLOT_TITLES_CAPTION)) {}

void CTitles::CreateControls() {
    AddEdit(IDC_MAIN_TITLE, {}, AddGroup(LoadString(IDS_PLOT_MAIN_TITLE)), 0);
    AddEdit(IDC_Y_TITLE, {}, AddGroup(LoadString(IDS_PLOT_Y_TITLE)), 0);
    AddEdit(IDC_X_TITLE, {}, AddGroup(LoadString(IDS_PLOT_X_TITLE)), 0);
}

void CTitles::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_MAIN_TITLE, m_strMain);
    dx.Text(IDC_Y_TITLE, m_strY);
    dx.Text(IDC_X_TITLE, m_strX);
}

}  // namespace kv
