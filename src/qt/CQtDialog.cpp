#include "qt/CQtDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "platform/CDialogModel.h"
#include "qt/CHelpSystem.h"
#include "qt/CQtControlPanel.h"

namespace kv {

CQtDialog::CQtDialog(CDialogModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setWindowTitle(QString::fromStdString(model.m_strTitle));
    setModal(true);
}

bool CQtDialog::Run() {
    m_model.BeginModal();
    auto* layout = new QVBoxLayout(this);
    m_pPanel = new CQtControlPanel(m_model, this);
    layout->addWidget(m_pPanel);
    auto* buttons = new QDialogButtonBox(m_model.m_bOkOnly ? QDialogButtonBox::Ok
                                                           : QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CQtDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CQtDialog::reject);
    connect(m_pPanel, &CQtControlPanel::Ended, this, &CQtDialog::Finish);
    layout->addWidget(buttons);
    if (CHelpSystem* help = CHelpSystem::Instance())
        help->AttachDialog(*m_pPanel, m_model, [this](int id) { return m_pPanel->ControlWidget(id); });
    m_pPanel->SyncFromModel();
    m_pPanel->ApplyFocusRequest();
    return exec() == QDialog::Accepted;
}

QWidget* CQtDialog::ControlWidget(int id) const { return m_pPanel ? m_pPanel->ControlWidget(id) : nullptr; }

void CQtDialog::Finish() { m_model.Result() == IDOK ? QDialog::accept() : QDialog::reject(); }

void CQtDialog::accept() {
    if (!m_pPanel || m_pPanel->InHandler()) return;
    m_pPanel->SetInHandler(true);
    m_model.OnOK();
    m_pPanel->SetInHandler(false);
    if (m_model.IsEnded()) {
        Finish();
        return;
    }
    m_pPanel->AfterHandler();
}

void CQtDialog::reject() {
    if (!m_model.IsEnded()) m_model.OnCancel();
    if (m_model.IsEnded() && m_model.Result() == IDOK)
        QDialog::accept();
    else
        QDialog::reject();
}

}  // namespace kv
