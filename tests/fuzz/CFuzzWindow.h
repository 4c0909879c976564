#pragma once
#include <functional>
#include <string>

#include "CFuzzSurface.h"
#include "platform/IViewWindow.h"

namespace kv::fuzz {

// The window of a plot view under fuzzing: a fixed client size, repaint
// requests only counted, direct drawing on a surface that draws nothing.
class CFuzzWindow : public IViewWindow {
public:
    CFuzzWindow(int width, int height) : m_overlay(width, height), m_size{width, height} {}

    void Invalidate() override { ++m_nInvalidations; }
    IDrawSurface* BeginDirectDraw() override { return &m_overlay; }
    void EndDirectDraw() override {}
    void SetCapture() override { m_bCaptured = true; }
    void ReleaseCapture() override { m_bCaptured = false; }
    bool HasCapture() const override { return m_bCaptured; }
    CRect GetClientRect() const override { return CRect{0, 0, m_size.cx, m_size.cy}; }
    CSize GetWindowSize() const override { return m_size; }
    CPoint ClientToScreen(CPoint p) const override { return p; }
    void SetPointerPos(int, int) override {}
    void Wait(int) override {}
    bool RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& png,
                       std::string& svg) override;
    void Print(bool) override {}
    void PrintSetup() override {}

    int Invalidations() const { return m_nInvalidations; }

private:
    CFuzzSurface m_overlay;
    CSize m_size;
    int m_nInvalidations = 0;
    bool m_bCaptured = false;
};

}  // namespace kv::fuzz
