#include "qt/CQtProgress.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "platform/StringTable.h"

namespace kv {

CQtProgress::CQtProgress(QMainWindow* window) : m_pWindow(window) {
    QStatusBar* bar = window->statusBar();
    m_pBar = new QProgressBar(bar);
    m_pBar->setRange(0, 100);
    m_pBar->setTextVisible(false);
    m_pBar->setMaximumWidth(200);
    m_pCancel = new QPushButton(QString::fromStdString(LoadString(IDS_PROGRESS_CANCEL)), bar);
    m_pCancel->setFocusPolicy(Qt::NoFocus);
    connect(m_pCancel, &QPushButton::clicked, this, [this] { m_bStop = true; });
    bar->addPermanentWidget(m_pBar);
    bar->addPermanentWidget(m_pCancel);
    m_pBar->hide();
    m_pCancel->hide();
}

CQtProgress::~CQtProgress() { End(); }

bool CQtProgress::Show(const QString& text, int percent) {
    if (!m_pWindow || !m_pBar || !m_pCancel) return false;
    if (!m_bActive) {
        m_bActive = true;
        m_bStop = false;
        qApp->installEventFilter(this);
        m_pBar->show();
        m_pCancel->show();
    }
    m_pBar->setValue(percent);
    m_pWindow->statusBar()->showMessage(text + QStringLiteral(" %1%").arg(percent));
    QApplication::processEvents();
    return m_bStop;
}

void CQtProgress::End() {
    if (!m_bActive) return;
    m_bActive = false;
    m_bStop = false;
    qApp->removeEventFilter(this);
    if (m_pBar) m_pBar->hide();
    if (m_pCancel) m_pCancel->hide();
}

bool CQtProgress::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) m_bStop = true;
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // Only the Cancel button takes clicks.
            return watched != m_pCancel;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default: return false;
    }
}

}  // namespace kv
