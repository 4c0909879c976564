#pragma once
#include <cmath>
#include <functional>
#include <memory>

#include "data/CKalvoData.h"
#include "plot/CGraph.h"
#include "plot/PlotTestData.h"
#include "support/CFakeViewWindow.h"
#include "support/CRecordingSurface.h"
#include "support/CScriptedPlatform.h"

namespace kv::test {

// A signal graph in a fake window, painted on recording surfaces.
struct CGraphFixture {
    CScriptedPlatform platform;
    CKalvoData data;
    CFakeViewWindow window{600, 400};
    CGraph graph;
    std::unique_ptr<CRecordingSurface> last;

    CGraphFixture() { graph.SetWindow(&window); }

    CRecordingSurface& Paint() {
        last = std::make_unique<CRecordingSurface>(600, 400);
        graph.Paint(*last);
        return *last;
    }
    std::string Status() const { return platform.statusTexts.empty() ? std::string() : platform.statusTexts.back(); }
    // Pixel of a fraction across / up the plot rectangle.
    CPoint At(double fx, double fy) const {
        return CPoint{graph.m_nPlotLeft + static_cast<int>(fx * graph.m_nPlotWidth),
                      graph.m_nPlotBottom - static_cast<int>(fy * graph.m_nPlotHeight)};
    }
    void Drag(CPoint from, CPoint to) {
        graph.OnLButtonDown(from);
        graph.OnMouseMove(CPoint{(from.x + to.x) / 2, (from.y + to.y) / 2}, true);
        graph.OnMouseMove(to, true);
        graph.OnLButtonUp(to);
    }
    void Click(CPoint p) {
        graph.OnLButtonDown(p);
        graph.OnLButtonUp(p);
    }
    bool Enabled(int id) {
        CCmdUI ui(id);
        graph.OnUpdateCommand(ui);
        return ui.m_bEnabled;
    }
    int Checked(int id) {
        CCmdUI ui(id);
        graph.OnUpdateCommand(ui);
        return ui.m_nCheck;
    }
};

}  // namespace kv::test
