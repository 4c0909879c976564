#include "qt/CQtPropertySheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/CDialogModel.h"
#include "platform/CPropertySheetModel.h"
#include "qt/CHelpSystem.h"
#include "qt/CQtControlPanel.h"

namespace kv {

CQtPropertySheet::CQtPropertySheet(CPropertySheetModel& sheet, QWidget* parent) : QDialog(parent), m_sheet(sheet) {
    setWindowTitle(QString::fromStdString(sheet.m_strTitle));
    setModal(true);
}

bool CQtPropertySheet::Run() {
    m_sheet.BeginModal();
    auto* layout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget(this);
    // Every page gets its controls now; a page not yet shown is filled from
    // its members when it is first activated.
    for (CDialogModel* page : m_sheet.Pages()) {
        page->EnsureControls();
        auto* panel = new CQtControlPanel(*page, m_pTabs);
        m_panels.push_back(panel);
        if (CHelpSystem* help = CHelpSystem::Instance())
            help->AttachDialog(*panel, *page, [panel](int id) { return panel->ControlWidget(id); });
        m_pTabs->addTab(panel, QString::fromStdString(page->m_strTitle));
    }
    if (!m_panels.empty()) m_panels[0]->SyncFromModel();
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CQtPropertySheet::OnTabChanged);
    layout->addWidget(m_pTabs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CQtPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CQtPropertySheet::reject);
    layout->addWidget(buttons);
    return exec() == QDialog::Accepted;
}

void CQtPropertySheet::OnTabChanged(int index) {
    if (m_bSwitching) return;
    int previous = m_sheet.ActivePage();
    m_panels[static_cast<size_t>(previous)]->SetInHandler(true);
    bool ok = m_sheet.SetActivePage(index);
    m_panels[static_cast<size_t>(previous)]->SetInHandler(false);
    if (!ok) {
        // The page refused to be left: go back to it.
        m_bSwitching = true;
        m_pTabs->setCurrentIndex(previous);
        m_bSwitching = false;
        m_panels[static_cast<size_t>(previous)]->AfterHandler();
        return;
    }
    m_panels[static_cast<size_t>(previous)]->SyncFromModel();
    m_panels[static_cast<size_t>(index)]->SyncFromModel();
}

void CQtPropertySheet::accept() {
    int active = m_sheet.ActivePage();
    m_panels[static_cast<size_t>(active)]->SetInHandler(true);
    m_sheet.PressOK();
    m_panels[static_cast<size_t>(active)]->SetInHandler(false);
    if (m_sheet.IsEnded()) {
        QDialog::accept();
        return;
    }
    m_panels[static_cast<size_t>(active)]->AfterHandler();
}

void CQtPropertySheet::reject() {
    m_sheet.PressCancel();
    QDialog::reject();
}

}  // namespace kv
