#pragma once
#include <string>
#include <vector>

#include "platform/IDrawSurface.h"

namespace kv::test {

// One call made on a recording surface.
struct CDrawCall {
    enum Kind {
        SelectFont,
        SelectPen,
        SelectBrush,
        SetTextAlign,
        SetTextColor,
        SetTransparent,
        SetRasterOp,
        MoveTo,
        LineTo,
        Ellipse,
        TextOut,
        SetClip,
        ClearClip,
    };
    explicit CDrawCall(Kind k) : kind(k) {}
    Kind kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // LineTo: from (x1, y1) to (x2, y2); Ellipse: the box
    bool smooth = false;                // LineTo: drawn antialiased
    std::string text;
    CPen pen;           // LineTo, Ellipse: the pen in use
    Color color = 0;    // SelectBrush, SetTextColor; Ellipse: the fill
    CFontDesc font;     // SelectFont, TextOut: the font in use
    TextAlign align = TextAlign::CenterBaseline;
    RasterOp rop = RasterOp::CopyPen;
    CRect rect;
};

// A drawing surface that records every call, for tests of layout and
// drawing without a display. Text is measured as half the font height per
// character wide and the font height high, unless an inner surface is given:
// then every call is also made on it and measuring is left to it.
class CRecordingSurface : public IDrawSurface {
public:
    CRecordingSurface(int width, int height, IDrawSurface* inner = nullptr);

    bool IsPrinter() const override { return m_bPrinter; }
    CSize GetPageSize() const override { return m_page; }
    double GetPixelAspectX() const override { return m_dAspectX; }
    double GetPixelAspectY() const override { return m_dAspectY; }
    CRect GetClientRect() const override { return m_rcClient; }
    Color GetWindowTextColor() const override { return 0; }
    double GetDeviceScale() const override { return m_dDeviceScale; }
    void SetAntialiasing(bool on) override { m_bSmooth = on; }
    // The device scale the surface reports (a scaled screen above 1).
    double m_dDeviceScale = 1.0;
    CSize GetTextExtent(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void SetTextAlign(TextAlign align) override;
    TextAlign GetTextAlign() const override { return m_align; }
    void SetTextColor(Color color) override;
    void SetTransparentBackground() override;
    bool SelectFont(const CFontDesc& desc) override;
    CFontDesc GetCurrentFont() const override { return m_font; }
    void SelectPen(const CPen& pen) override;
    CPen GetCurrentPen() const override { return m_pen; }
    void SelectBrush(Color color) override;
    Color GetCurrentBrush() const override { return m_brush; }
    void SetRasterOp(RasterOp op) override;
    RasterOp GetRasterOp() const override { return m_rop; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void SetClipRect(const CRect& rect) override;
    void ClearClip() override;

    // ---- set-up -----------------------------------------------------------------
    void SetPrinter(int pageWidth, int pageHeight) {
        m_bPrinter = true;
        m_page = CSize{pageWidth, pageHeight};
    }
    void SetAspect(double x, double y) {
        m_dAspectX = x;
        m_dAspectY = y;
    }
    // Font heights at or below this fail to be made.
    int m_nMinFontHeight = 1;

    // ---- queries ------------------------------------------------------------------
    std::vector<CDrawCall> calls;
    void Clear() { calls.clear(); }
    std::vector<CDrawCall> Of(CDrawCall::Kind kind) const;
    std::vector<CDrawCall> Lines() const { return Of(CDrawCall::LineTo); }
    std::vector<CDrawCall> Texts() const { return Of(CDrawCall::TextOut); }
    std::vector<CDrawCall> Ellipses() const { return Of(CDrawCall::Ellipse); }
    // Line segments drawn in a colour.
    std::vector<CDrawCall> LinesInColor(Color color) const;
    // The first text call with this text, or null.
    const CDrawCall* FindText(const std::string& text) const;
    bool HasText(const std::string& text) const { return FindText(text) != nullptr; }

private:
    bool m_bSmooth = false;
    IDrawSurface* m_pInner;
    bool m_bPrinter = false;
    CSize m_page;
    CRect m_rcClient;
    double m_dAspectX = 1.0;
    double m_dAspectY = 1.0;
    TextAlign m_align = TextAlign::CenterBaseline;
    CFontDesc m_font;
    CPen m_pen;
    Color m_brush = Rgb(255, 255, 255);
    RasterOp m_rop = RasterOp::CopyPen;
    CPoint m_pos;
};

}  // namespace kv::test
