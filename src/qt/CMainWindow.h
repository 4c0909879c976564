#pragma once
#include <memory>
#include <vector>

#include <QMainWindow>

#include "platform/IWindowManager.h"

class QMdiArea;
class QMdiSubWindow;

namespace kv {

class CModDoc;
class CProjectWindow;
class CQtPlatform;

// The main window: menus, toolbar, status bar and the area holding the
// project windows. It owns the projects and creates, raises and closes
// their windows for them.
class CMainWindow : public QMainWindow, public IWindowManager {
    Q_OBJECT
public:
    explicit CMainWindow(CQtPlatform& platform);
    ~CMainWindow() override;

    CModDoc* NewProject();
    CModDoc* ActiveDocument() const;
    const std::vector<std::unique_ptr<CModDoc>>& Documents() const { return m_docs; }
    QMdiArea* MdiArea() const { return m_pMdi; }

    // IWindowManager
    CView* CreatePlotView(CKalvoraDoc& doc) override;
    CView* CreateListView(CKalvoraDoc& doc) override;
    void ActivateView(CView& view) override;
    void MaximizeView(CView& view) override;
    void CloseDocument(CKalvoraDoc& doc) override;

    // Asks whether a view's window may close (the last window of a modified
    // project asks to save it first); called by the project windows.
    bool CanCloseView(CProjectWindow& window);
    // Asks "Save changes to ...?" for a modified project; false on Cancel.
    bool SaveModified(CModDoc& doc);

    void CommandCloseProject();
    void CommandDecibels();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    QMdiSubWindow* FrameOf(CView& view) const;
    CModDoc* Find(CKalvoraDoc& doc) const;
    void DestroyDocumentLater(CModDoc* doc);
    void UpdateTitles();

    CQtPlatform& m_platform;
    QMdiArea* m_pMdi;
    std::vector<std::unique_ptr<CModDoc>> m_docs;
    int m_nNextNumber = 1;
    bool m_bClosingDocument = false;
};

}  // namespace kv
