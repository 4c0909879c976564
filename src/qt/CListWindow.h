#pragma once

#include <QPlainTextEdit>

#include "analysis/CStatView.h"

namespace kv {

class CKalvoraDoc;

// The frequency-list window: the list view's text in a fixed-pitch editor.
class CListWindow : public QPlainTextEdit, public CStatView {
    Q_OBJECT
public:
    explicit CListWindow(CKalvoraDoc& doc, QWidget* parent = nullptr);
    ~CListWindow() override;

    // "Chose Font...": the platform's font dialog, fixed-pitch fonts only.
    void ChooseFont();

protected:
    void OnTextChanged() override;
    void OnFontChanged() override;

private:
    CKalvoraDoc* m_pDoc;
};

}  // namespace kv
