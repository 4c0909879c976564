#include "qt/CFindReplaceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

QString Q(StringId id) { return QString::fromStdString(LoadString(id)); }

}  // namespace

CFindReplaceDialog::CFindReplaceDialog(QPlainTextEdit& editor, bool replace, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_bReplace(replace) {
    setWindowTitle(Q(replace ? IDS_SHELL_REPLACE_TITLE : IDS_SHELL_FIND_TITLE));
    setObjectName(replace ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setModal(false);
    auto* outer = new QHBoxLayout(this);
    auto* fields = new QGridLayout;
    outer->addLayout(fields, 1);
    auto* findLabel = new QLabel(Q(IDS_SHELL_FIND_WHAT));
    m_pFind = new QLineEdit;
    m_pFind->setObjectName(QStringLiteral("FindWhat"));
    findLabel->setBuddy(m_pFind);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_pFind, 0, 1);
    int row = 1;
    if (replace) {
        auto* replaceLabel = new QLabel(Q(IDS_SHELL_REPLACE_WITH));
        m_pReplace = new QLineEdit;
        m_pReplace->setObjectName(QStringLiteral("ReplaceWith"));
        replaceLabel->setBuddy(m_pReplace);
        fields->addWidget(replaceLabel, row, 0);
        fields->addWidget(m_pReplace, row, 1);
        ++row;
    }
    m_pWord = new QCheckBox(Q(IDS_SHELL_WHOLE_WORD));
    m_pCase = new QCheckBox(Q(IDS_SHELL_MATCH_CASE));
    fields->addWidget(m_pWord, row++, 0, 1, 2);
    fields->addWidget(m_pCase, row, 0, 1, 2);
    if (!replace) {
        auto* direction = new QGroupBox(Q(IDS_SHELL_DIRECTION));
        auto* directionLayout = new QHBoxLayout(direction);
        m_pUp = new QRadioButton(Q(IDS_SHELL_UP));
        auto* down = new QRadioButton(Q(IDS_SHELL_DOWN));
        down->setChecked(true);
        directionLayout->addWidget(m_pUp);
        directionLayout->addWidget(down);
        fields->addWidget(direction, row, 1, Qt::AlignRight);
    }
    fields->setRowStretch(row + 1, 1);

    auto* buttons = new QVBoxLayout;
    outer->addLayout(buttons);
    m_pFindNext = new QPushButton(Q(IDS_SHELL_FIND_NEXT));
    m_pFindNext->setDefault(true);
    buttons->addWidget(m_pFindNext);
    connect(m_pFindNext, &QPushButton::clicked, this, [this] { FindNext(); });
    if (replace) {
        m_pReplaceButton = new QPushButton(Q(IDS_SHELL_REPLACE));
        m_pReplaceAll = new QPushButton(Q(IDS_SHELL_REPLACE_ALL));
        buttons->addWidget(m_pReplaceButton);
        buttons->addWidget(m_pReplaceAll);
        connect(m_pReplaceButton, &QPushButton::clicked, this, [this] { ReplaceCurrent(); });
        connect(m_pReplaceAll, &QPushButton::clicked, this, [this] { ReplaceAll(); });
    }
    auto* close = new QPushButton(Q(IDS_SHELL_CLOSE));
    buttons->addWidget(close);
    buttons->addStretch(1);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_pFind, &QLineEdit::textChanged, this, &CFindReplaceDialog::UpdateButtons);
    UpdateButtons();
}

void CFindReplaceDialog::UpdateButtons() {
    const bool any = !m_pFind->text().isEmpty();
    m_pFindNext->setEnabled(any);
    if (m_pReplaceButton) m_pReplaceButton->setEnabled(any);
    if (m_pReplaceAll) m_pReplaceAll->setEnabled(any);
}

void CFindReplaceDialog::SetFindText(const QString& text) {
    m_pFind->setText(text);
    m_pFind->selectAll();
}

QString CFindReplaceDialog::FindText() const { return m_pFind->text(); }

QString CFindReplaceDialog::ReplaceText() const { return m_pReplace ? m_pReplace->text() : QString(); }

QTextDocument::FindFlags CFindReplaceDialog::Flags() const {
    QTextDocument::FindFlags flags;
    if (m_pCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (m_pWord->isChecked()) flags |= QTextDocument::FindWholeWords;
    if (m_pUp && m_pUp->isChecked()) flags |= QTextDocument::FindBackward;
    return flags;
}

bool CFindReplaceDialog::Find(QPlainTextEdit& editor, const QString& text, QTextDocument::FindFlags flags) {
    if (text.isEmpty()) return false;
    if (editor.find(text, flags)) return true;
    // Once round the end (or the beginning) of the text.
    QTextCursor cursor = editor.textCursor();
    const QTextCursor saved = cursor;
    cursor.movePosition(flags.testFlag(QTextDocument::FindBackward) ? QTextCursor::End : QTextCursor::Start);
    editor.setTextCursor(cursor);
    if (editor.find(text, flags)) return true;
    editor.setTextCursor(saved);
    InfoBox(FormatString(IDS_SHELL_NOT_FOUND, text.toStdString()));
    return false;
}

bool CFindReplaceDialog::FindNext() { return Find(m_editor, FindText(), Flags()); }

bool CFindReplaceDialog::ReplaceCurrent() {
    QTextCursor cursor = m_editor.textCursor();
    const Qt::CaseSensitivity cs =
        Flags().testFlag(QTextDocument::FindCaseSensitively) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && cursor.selectedText().compare(FindText(), cs) == 0) {
        cursor.insertText(ReplaceText());
        m_editor.setTextCursor(cursor);
    }
    return FindNext();
}

int CFindReplaceDialog::ReplaceAll() {
    if (FindText().isEmpty()) return 0;
    QTextCursor cursor = m_editor.textCursor();
    cursor.beginEditBlock();
    QTextCursor at(m_editor.document());
    int count = 0;
    const QTextDocument::FindFlags flags = Flags() & ~QTextDocument::FindFlags(QTextDocument::FindBackward);
    for (;;) {
        at = m_editor.document()->find(FindText(), at, flags);
        if (at.isNull()) break;
        at.insertText(ReplaceText());
        ++count;
    }
    cursor.endEditBlock();
    if (count == 0) InfoBox(FormatString(IDS_SHELL_NOT_FOUND, FindText().toStdString()));
    return count;
}

}  // namespace kv
