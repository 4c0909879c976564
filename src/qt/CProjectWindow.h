#pragma once
#include <memory>

#include <QWidget>

#include "app/CView.h"

class QLabel;

namespace kv {

class CMainWindow;
class CModDoc;

// The content of a project's child window: one view of the project.
class CProjectWindow : public QWidget, public CView {
    Q_OBJECT
public:
    CProjectWindow(CMainWindow& main, CModDoc& doc, QWidget* parent = nullptr);
    ~CProjectWindow() override;

    CModDoc& Document() const { return m_doc; }
    void OnUpdate(CView* sender, int hint, CObject* object) override;
    bool IsSignalGraph() const override { return true; }
    const CKalvoData* GetGraphData() const override { return m_pData; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowSummary();

    CMainWindow& m_main;
    CModDoc& m_doc;
    const CKalvoData* m_pData = nullptr;
    QLabel* m_pText;
};

}  // namespace kv
