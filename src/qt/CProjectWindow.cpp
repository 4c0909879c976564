#include "qt/CProjectWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "data/CKalvoData.h"
#include "generate/CModDoc.h"
#include "qt/CMainWindow.h"

namespace kv {

CProjectWindow::CProjectWindow(CMainWindow& main, CModDoc& doc, QWidget* parent)
    : QWidget(parent), m_main(main), m_doc(doc), m_pText(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    m_pText->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_pText);
    setMinimumSize(320, 200);
    doc.AddView(*this);
    OnInitialUpdate();
}

CProjectWindow::~CProjectWindow() {
    if (GetDocument()) m_doc.RemoveView(*this);
}

void CProjectWindow::OnUpdate(CView*, int hint, CObject* object) {
    if ((hint & 0xF) == 1 || (hint & 0xF) == 5) {
        if (auto* data = dynamic_cast<CKalvoData*>(object)) m_pData = data;
    }
    ShowSummary();
}

void CProjectWindow::ShowSummary() {
    const CKalvoData& time = m_doc.m_TimeData;
    const CKalvoData& freq = m_doc.m_FreqData;
    m_pText->setText(QString("Time Data: %1 points\nFrequency Data: %2 points").arg(time.GetCount()).arg(freq.GetCount()));
}

void CProjectWindow::closeEvent(QCloseEvent* event) {
    if (!m_main.CanCloseView(*this)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace kv
