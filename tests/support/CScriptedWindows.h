#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/IWindowManager.h"
#include "support/CRecordingView.h"

namespace kv::test {

// A window manager double: new plot and list windows are recording views
// attached to their document; every request is recorded. Registers itself
// with the installed platform for its lifetime.
class CScriptedWindows : public IWindowManager {
public:
    CScriptedWindows();
    ~CScriptedWindows() override;

    CView* CreatePlotView(CKalvoraDoc& doc) override;
    CView* CreateListView(CKalvoraDoc& doc) override;
    void ActivateView(CView& view) override;
    void MaximizeView(CView& view) override;
    void CloseDocument(CKalvoraDoc& doc) override;

    std::vector<std::unique_ptr<CRecordingView>> views;
    std::vector<std::string> requests;  // "plot", "list", "activate N", "maximize N", "close"
    std::vector<CKalvoraDoc*> closed;

private:
    int IndexOf(CView& view) const;
    IWindowManager* m_pPrevious;
};

}  // namespace kv::test
