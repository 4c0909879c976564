#include "qt/CProjectFrame.h"

#include <QCloseEvent>

#include "app/CModDoc.h"
#include "qt/CListWindow.h"
#include "qt/CMainWindow.h"
#include "qt/CPlotWidget.h"

namespace kv {

CProjectFrame::CProjectFrame(CMainWindow& main, CModDoc& doc, Kind kind)
    : QMdiSubWindow(nullptr), m_main(main), m_pDoc(&doc), m_kind(kind) {
    setAttribute(Qt::WA_DeleteOnClose);
    if (kind == Kind::Plot)
        setWidget(new CPlotWidget(doc, this));
    else
        setWidget(new CListWindow(doc, this));
    setMinimumSize(240, 160);
}

CView* CProjectFrame::View() const {
    if (auto* plot = qobject_cast<CPlotWidget*>(widget())) return &plot->Graph();
    if (auto* list = qobject_cast<CListWindow*>(widget())) return list;
    return nullptr;
}

void CProjectFrame::closeEvent(QCloseEvent* event) {
    if (!m_main.CanCloseFrame(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace kv
