#pragma once
#include <vector>

#include "data/CKalvoData.h"
#include "platform/CView.h"

namespace kv {
class CKalvoData;
class CObject;
}  // namespace kv

namespace kv::test {

// A view that records the hints its document sends. It can stand for a
// signal graph (with the data object it shows) or for any other view.
class CRecordingView : public CView {
public:
    struct Update {
        int hint;
        CObject* object;
    };
    explicit CRecordingView(bool signalGraph = true) : m_bSignalGraph(signalGraph) {}

    void OnUpdate(CView*, int hint, CObject* object) override;
    bool IsSignalGraph() const override { return m_bSignalGraph; }
    const CKalvoData* GetGraphData() const override { return m_pData; }

    std::vector<Update> updates;
    int initialUpdates = 0;
    void OnInitialUpdate() override {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }

private:
    bool m_bSignalGraph;
    const CKalvoData* m_pData = nullptr;
};

}  // namespace kv::test
