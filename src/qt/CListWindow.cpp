#include "qt/CListWindow.h"

#include <QFontDatabase>
#include <QFontDialog>

#include "app/CKalvoraDoc.h"

namespace kv {

CListWindow::CListWindow(CKalvoraDoc& doc, QWidget* parent) : QPlainTextEdit(parent), m_pDoc(&doc) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    doc.AddView(*this);
}

CListWindow::~CListWindow() {
    if (GetDocument()) GetDocument()->RemoveView(*this);
}

void CListWindow::OnTextChanged() { setPlainText(QString::fromStdString(GetDisplayText())); }

void CListWindow::OnFontChanged() { setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); }

void CListWindow::ChooseFont() {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, this->font(), this, tr("Font"), QFontDialog::MonospacedFonts);
    if (ok) setFont(font);
}

}  // namespace kv
