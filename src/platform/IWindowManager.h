#pragma once

namespace kv {

class CKalvoraDoc;
class CView;

// The desktop's windows of a project: each view lives in a child window of
// the main window. The document asks for new plot and list windows, for a
// window to be brought forward or maximized, and for a project to be closed
// with its windows.
class IWindowManager {
public:
    virtual ~IWindowManager() = default;
    // Creates a window holding a new plot view of the document, attaches the
    // view to the document and gives it its initial update. May return null.
    virtual CView* CreatePlotView(CKalvoraDoc& doc) = 0;
    // The same for a frequency-list view.
    virtual CView* CreateListView(CKalvoraDoc& doc) = 0;
    virtual void ActivateView(CView& view) = 0;
    virtual void MaximizeView(CView& view) = 0;
    // Closes the project's windows and destroys the project.
    virtual void CloseDocument(CKalvoraDoc& doc) = 0;
};

}  // namespace kv
