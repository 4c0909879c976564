#pragma once

namespace kv {

class CObject;
class CSerDoc;

// Update hints sent to the views of a project.
enum UpdateHint : int {
    HINT_REDRAW_ALL = 0,
    HINT_DATA_CHANGED = 5,
    HINT_RESET_ZOOM = 4096,
    HINT_PLOT_OPENED = 769,  // + 16 x plot type + 4096 x plot style
    HINT_LIST_CHANGED = 770,
};

// A view of a project: a plot or a frequency list. The document tells every
// view of a change with a hint number and an object (a data object, the
// frequency statistics, or none).
class CView {
public:
    virtual ~CView();

    virtual void OnUpdate(CView* sender, int hint, CObject* object) = 0;
    // Called once when the view has been attached to its document.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    // Signal graphs answer true and give their data object (null while unset).
    virtual bool IsSignalGraph() const { return false; }
    virtual const CObject* GetGraphData() const { return nullptr; }

    CSerDoc* GetDocument() const { return m_pDocument; }

private:
    friend class CSerDoc;
    CSerDoc* m_pDocument = nullptr;
};

}  // namespace kv
