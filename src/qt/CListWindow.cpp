#include "qt/CListWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusTipEvent>

#include "app/CCommandPrompts.h"
#include "app/CKalvoraDoc.h"
#include "app/CShellMenus.h"
#include "plot/PlotCommands.h"
#include "qt/CFindReplaceDialog.h"
#include "qt/CQtCommandMenu.h"

namespace kv {

namespace {

using S = CShellMenus;

}  // namespace

CListWindow::CListWindow(CKalvoraDoc& doc, QWidget* parent) : QPlainTextEdit(parent), m_pDoc(&doc) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    doc.AddView(*this);
}

CListWindow::~CListWindow() {
    delete m_pFind.data();
    if (GetDocument()) GetDocument()->RemoveView(*this);
}

void CListWindow::OnTextChanged() { setPlainText(QString::fromStdString(GetDisplayText())); }

void CListWindow::OnFontChanged() { setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); }

void CListWindow::ChooseFont() {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, this->font(), this, tr("Font"), QFontDialog::MonospacedFonts);
    if (ok) setFont(font);
}

// ---------------------------------------------------------------------------
// Commands

bool CListWindow::OnUpdateCommand(CCmdUI& ui) {
    const bool selection = textCursor().hasSelection();
    switch (ui.m_nId) {
        case S::ID_LIST_FONT:
        case S::ID_EDIT_SELECT_ALL:
        case S::ID_EDIT_FIND:
        case S::ID_EDIT_REPLACE:
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
        case ID_FILE_PRINT_SETUP: ui.m_bEnabled = true; return true;
        case S::ID_EDIT_UNDO_TEXT: ui.m_bEnabled = document()->isUndoAvailable(); return true;
        case S::ID_EDIT_CUT:
        case S::ID_EDIT_CLEAR: ui.m_bEnabled = selection && !isReadOnly(); return true;
        case S::ID_EDIT_COPY: ui.m_bEnabled = selection; return true;
        case S::ID_EDIT_PASTE: ui.m_bEnabled = canPaste(); return true;
        case S::ID_EDIT_REPEAT: ui.m_bEnabled = m_bHasLastFind; return true;
        // A list window has no plot to write.
        case ID_PLOT_WRITE_DATA: ui.m_bEnabled = false; return true;
        default: return false;
    }
}

bool CListWindow::OnCommand(int id) {
    switch (id) {
        case S::ID_LIST_FONT: ChooseFont(); return true;
        case S::ID_EDIT_UNDO_TEXT: undo(); return true;
        case S::ID_EDIT_CUT: cut(); return true;
        case S::ID_EDIT_COPY: copy(); return true;
        case S::ID_EDIT_PASTE: paste(); return true;
        case S::ID_EDIT_CLEAR: textCursor().removeSelectedText(); return true;
        case S::ID_EDIT_SELECT_ALL: selectAll(); return true;
        case S::ID_EDIT_FIND: ShowFindDialog(false); return true;
        case S::ID_EDIT_REPLACE: ShowFindDialog(true); return true;
        case S::ID_EDIT_REPEAT:
            if (m_pFind && m_pFind->isVisible()) {
                m_pFind->IsReplace() ? m_pFind->ReplaceCurrent() : m_pFind->FindNext();
            } else if (m_bHasLastFind) {
                CFindReplaceDialog::Find(*this, m_strLastFind, m_lastFlags);
            }
            return true;
        case ID_FILE_PRINT: Print(false); return true;
        case ID_FILE_PRINT_PREVIEW: Print(true); return true;
        case ID_FILE_PRINT_SETUP: PrintSetup(); return true;
        default: return false;
    }
}

void CListWindow::ShowFindDialog(bool replace) {
    if (m_pFind && m_pFind->IsReplace() != replace) delete m_pFind.data();
    if (!m_pFind) {
        m_pFind = new CFindReplaceDialog(*this, replace, window());
        // "Repeat" searches again with what the window searched for last.
        connect(m_pFind, &QDialog::finished, this, [this] {
            if (!m_pFind) return;
            m_strLastFind = m_pFind->FindText();
            m_lastFlags = m_pFind->Flags();
            m_bHasLastFind = !m_strLastFind.isEmpty();
        });
        connect(m_pFind, &CFindReplaceDialog::destroyed, this, [this] { m_pFind = nullptr; });
    }
    const QString selected = textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) m_pFind->SetFindText(selected);
    m_bHasLastFind = true;
    m_strLastFind = m_pFind->FindText();
    m_lastFlags = m_pFind->Flags();
    m_pFind->show();
    m_pFind->raise();
    m_pFind->activateWindow();
}

void CListWindow::keyPressEvent(QKeyEvent* event) {
    // F3, the key the context menu shows for "Repeat Last Find/Replace".
    if (event->key() == Qt::Key_F3 && event->modifiers() == Qt::NoModifier) {
        OnCommand(CShellMenus::ID_EDIT_REPEAT);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CListWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    ICommandTarget* target = this;
    CQtCommandMenu::Fill(menu, CShellMenus::EditorContextMenu(), [target] { return target; }, false);
    for (QAction* action : menu.actions())
        if (action->data().isValid())
            action->setStatusTip(QString::fromStdString(CCommandPrompts::StatusPrompt(action->data().toInt())));
    // The prompts of the items go to the main window's status bar.
    QWidget* main = window();
    connect(&menu, &QMenu::hovered, this, [main](QAction* action) {
        QStatusTipEvent tip(action->statusTip());
        QApplication::sendEvent(main, &tip);
    });
    QAction* chosen = menu.exec(event->globalPos());
    QStatusTipEvent done{QString()};
    QApplication::sendEvent(main, &done);
    if (chosen && chosen->data().isValid()) OnCommand(chosen->data().toInt());
    event->accept();
}

// ---------------------------------------------------------------------------
// Printing

QPrinter& CListWindow::Printer() {
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CListWindow::PrintTo(QPrinter& printer) { document()->print(&printer); }

void CListWindow::Print(bool preview) {
    QPrinter& printer = Printer();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintTo(*p); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (textCursor().hasSelection()) dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void CListWindow::PrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

}  // namespace kv
