#pragma once
#include <string>
#include <vector>

#include "platform/IViewWindow.h"
#include "support/CRecordingSurface.h"

namespace kv::test {

// A view window for tests: counts repaint requests, keeps the capture and
// pointer state, and records direct drawing (the zoom cursor) on a
// recording surface.
class CFakeViewWindow : public IViewWindow {
public:
    CFakeViewWindow(int width, int height) : overlay(width, height), m_size{width, height} {}

    void Invalidate() override { ++invalidations; }
    IDrawSurface* BeginDirectDraw() override {
        ++directDraws;
        return &overlay;
    }
    void EndDirectDraw() override {}
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    bool HasCapture() const override { return captured; }
    CRect GetClientRect() const override { return CRect{0, 0, m_size.cx, m_size.cy}; }
    CSize GetWindowSize() const override { return m_size; }
    CPoint ClientToScreen(CPoint p) const override { return CPoint{p.x + 1000, p.y + 500}; }
    void SetPointerPos(int x, int y) override { pointerMoves.push_back(CPoint{x, y}); }
    void Wait(int milliseconds) override { waits.push_back(milliseconds); }
    bool RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& png,
                       std::string& svg) override;
    void Print(bool preview) override { (preview ? previews : prints)++; }
    void PrintSetup() override { ++printSetups; }

    CRecordingSurface overlay;
    int invalidations = 0;
    int directDraws = 0;
    bool captured = false;
    std::vector<CPoint> pointerMoves;
    std::vector<int> waits;
    int prints = 0;
    int previews = 0;
    int printSetups = 0;
    // The calls of the last recorded picture.
    std::vector<CDrawCall> pictureCalls;

private:
    CSize m_size;
};

}  // namespace kv::test
