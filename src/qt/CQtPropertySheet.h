#pragma once
#include <vector>

#include <QDialog>

class QTabWidget;

namespace kv {

class CPropertySheetModel;
class CQtControlPanel;

// Shows a property-sheet model as a modal dialog with one tab per page.
class CQtPropertySheet : public QDialog {
    Q_OBJECT
public:
    CQtPropertySheet(CPropertySheetModel& sheet, QWidget* parent = nullptr);

    bool Run();
    QTabWidget* Tabs() const { return m_pTabs; }
    CQtControlPanel* Panel(int index) const { return m_panels[static_cast<size_t>(index)]; }

    void accept() override;
    void reject() override;

private:
    void OnTabChanged(int index);

    CPropertySheetModel& m_sheet;
    QTabWidget* m_pTabs = nullptr;
    std::vector<CQtControlPanel*> m_panels;
    bool m_bSwitching = false;
};

}  // namespace kv
