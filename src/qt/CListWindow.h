#pragma once
#include <memory>

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocument>

#include "analysis/CStatView.h"
#include "platform/ICommandTarget.h"
#include "qt/CFindReplaceDialog.h"

class QPrinter;

namespace kv {

class CKalvoraDoc;

// The frequency-list window: the list view's text in a fixed-pitch editor,
// with the editor's commands (font, undo, cut, copy, paste, clear, select
// all, find, replace, repeat) in its context menu and in the List menu, and
// printing with a preview.
class CListWindow : public QPlainTextEdit, public CStatView, public ICommandTarget {
    Q_OBJECT
public:
    explicit CListWindow(CKalvoraDoc& doc, QWidget* parent = nullptr);
    ~CListWindow() override;

    // "Chose Font...": the platform's font dialog, fixed-pitch fonts only.
    void ChooseFont();
    // Prints the text (with a preview first when asked).
    void Print(bool preview);
    void PrintSetup();
    void PrintTo(QPrinter& printer);
    // The Find or Replace window of this list (made on first use).
    CFindReplaceDialog* FindDialog() const { return m_pFind.data(); }

    // The editor's commands.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

protected:
    void OnTextChanged() override;
    void OnFontChanged() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowFindDialog(bool replace);
    QPrinter& Printer();

    CKalvoraDoc* m_pDoc;
    QPointer<CFindReplaceDialog> m_pFind;
    QString m_strLastFind;
    QTextDocument::FindFlags m_lastFlags;
    bool m_bHasLastFind = false;
    std::unique_ptr<QPrinter> m_pPrinter;
};

}  // namespace kv
