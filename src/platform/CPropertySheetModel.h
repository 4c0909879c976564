#pragma once
#include <string>
#include <vector>

namespace kv {

class CDialogModel;

// A modal property sheet: pages (dialog models) under tabs, one active at a
// time, with OK and Cancel for the whole sheet. A page is set up (its
// controls filled) the first time it is shown; leaving it, or pressing OK
// while it is active, runs its OnKillActive check, which may keep it open.
class CPropertySheetModel {
public:
    explicit CPropertySheetModel(std::string title = {}) : m_strTitle(std::move(title)) {}
    virtual ~CPropertySheetModel() = default;

    void AddPage(CDialogModel& page) { m_pages.push_back(&page); }
    const std::vector<CDialogModel*>& Pages() const { return m_pages; }
    CDialogModel& Page(int index) const { return *m_pages[static_cast<size_t>(index)]; }
    int ActivePage() const { return m_nActive; }

    // Called by the platform when the sheet opens: shows the first page.
    void BeginModal();
    // Switches pages; false (and the page stays) when the active page refuses to be left.
    bool SetActivePage(int index);
    // OK: the active page's check, then the sheet ends with IDOK.
    void PressOK();
    void PressCancel();
    bool IsEnded() const { return m_nResult != 0; }
    int Result() const { return m_nResult; }
    bool WasShown(int index) const { return m_shown[static_cast<size_t>(index)]; }

    std::string m_strTitle;

private:
    std::vector<CDialogModel*> m_pages;
    std::vector<bool> m_shown;
    int m_nActive = 0;
    int m_nResult = 0;
};

}  // namespace kv
