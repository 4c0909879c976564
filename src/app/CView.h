#pragma once

namespace kv {

class CKalvoraDoc;
class CKalvoData;
class CObject;

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
    virtual const CKalvoData* GetGraphData() const { return nullptr; }

    CKalvoraDoc* GetDocument() const { return m_pDocument; }

private:
    friend class CSerDoc;
    CKalvoraDoc* m_pDocument = nullptr;
};

}  // namespace kv
