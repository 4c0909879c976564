#pragma once
#include <cstdint>
#include <string>

#include "platform/IDrawSurface.h"

namespace kv::fuzz {

// A drawing surface that draws nothing and keeps only what a plot reads
// back: the selected font, pen, fill and alignment. Text measures half the
// font height per character wide and the font height high. It checks that
// every position handed to it lies in the range a real device could take,
// and counts the lines, ellipses and texts it was given.
class CFuzzSurface : public IDrawSurface {
public:
    CFuzzSurface(int width, int height) : m_client{0, 0, width, height}, m_page{width, height} {}

    void SetPrinter(bool printer) { m_bPrinter = printer; }
    void SetAspect(double x, double y) {
        m_dAspectX = x;
        m_dAspectY = y;
    }

    bool IsPrinter() const override { return m_bPrinter; }
    CSize GetPageSize() const override { return m_page; }
    double GetPixelAspectX() const override { return m_dAspectX; }
    double GetPixelAspectY() const override { return m_dAspectY; }
    CRect GetClientRect() const override { return m_client; }
    Color GetWindowTextColor() const override { return 0; }
    CSize GetTextExtent(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void SetTextAlign(TextAlign align) override { m_align = align; }
    TextAlign GetTextAlign() const override { return m_align; }
    void SetTextColor(Color) override {}
    void SetTransparentBackground() override {}
    bool SelectFont(const CFontDesc& desc) override;
    CFontDesc GetCurrentFont() const override { return m_font; }
    void SelectPen(const CPen& pen) override { m_pen = pen; }
    CPen GetCurrentPen() const override { return m_pen; }
    void SelectBrush(Color color) override { m_brush = color; }
    Color GetCurrentBrush() const override { return m_brush; }
    void SetRasterOp(RasterOp op) override { m_rop = op; }
    RasterOp GetRasterOp() const override { return m_rop; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void SetClipRect(const CRect& rect) override;
    void ClearClip() override {}

    // Calls that drew something.
    int64_t DrawCount() const { return m_nDrawn; }

private:
    // Aborts (a finding) when a position is beyond what any device takes:
    // a plot that computes such a position has lost its scale.
    static void CheckPosition(int64_t v);

    CRect m_client;
    CSize m_page;
    bool m_bPrinter = false;
    double m_dAspectX = 1.0;
    double m_dAspectY = 1.0;
    CFontDesc m_font;
    CPen m_pen;
    Color m_brush = 0;
    TextAlign m_align = TextAlign::CenterBaseline;
    RasterOp m_rop = RasterOp::CopyPen;
    int64_t m_nDrawn = 0;
};

}  // namespace kv::fuzz
