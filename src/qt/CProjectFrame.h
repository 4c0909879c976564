#pragma once

#include <QMdiSubWindow>

namespace kv {

class CMainWindow;
class CModDoc;
class CView;

// The child window of the main window that holds one view of a project:
// a plot window or a frequency-list window.
class CProjectFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    enum class Kind { Plot, List };

    CProjectFrame(CMainWindow& main, CModDoc& doc, Kind kind);

    CModDoc& Document() const { return *m_pDoc; }
    Kind GetKind() const { return m_kind; }
    // The view the frame holds (the plot's graph or the list view).
    CView* View() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMainWindow& m_main;
    CModDoc* m_pDoc;
    Kind m_kind;
};

}  // namespace kv
