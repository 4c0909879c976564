#pragma once

#include <QDialog>
#include <QString>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kv {

// The editor's Find and Replace dialog: a window beside the text (not
// modal) with "Find what", in its Replace form "Replace with", the case and
// whole-word options, and in its Find form the direction. The search starts
// at the cursor and wraps round the end of the text once.
class CFindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    CFindReplaceDialog(QPlainTextEdit& editor, bool replace, QWidget* parent = nullptr);

    bool IsReplace() const { return m_bReplace; }
    void SetFindText(const QString& text);
    QString FindText() const;
    QString ReplaceText() const;
    QTextDocument::FindFlags Flags() const;

    // Finds the next match and selects it; false (with a message) when there is none.
    bool FindNext();
    // Replaces the selected match, then finds the next one.
    bool ReplaceCurrent();
    // Replaces every match; returns how many.
    int ReplaceAll();

    // The search of one editor with given options, used again by "Repeat".
    static bool Find(QPlainTextEdit& editor, const QString& text, QTextDocument::FindFlags flags);

private:
    void UpdateButtons();

    QPlainTextEdit& m_editor;
    bool m_bReplace;
    QLineEdit* m_pFind = nullptr;
    QLineEdit* m_pReplace = nullptr;
    QCheckBox* m_pCase = nullptr;
    QCheckBox* m_pWord = nullptr;
    QRadioButton* m_pUp = nullptr;
    QPushButton* m_pFindNext = nullptr;
    QPushButton* m_pReplaceButton = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
};

}  // namespace kv
