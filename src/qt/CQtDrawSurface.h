#pragma once
#include <vector>

#include <QColor>
#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "platform/IDrawSurface.h"

class QPainter;

namespace kv {

// A drawing surface over a QPainter: a widget, an image, an SVG generator
// or a printer page. Lines leave out their end point and ellipse boxes
// exclude their right and bottom edges, as the plot code expects; the XOR
// raster operation works on raster surfaces (images and widgets painted
// through an image).
class CQtDrawSurface : public IDrawSurface {
public:
    // client: the client rectangle (the whole image for pictures). A printer
    // surface gives its page size in pixels and its resolution.
    CQtDrawSurface(QPainter& painter, const QRect& client, bool printer = false, QSize pageSize = {},
                   int dpiX = 96, int dpiY = 96);
    ~CQtDrawSurface() override;
    CQtDrawSurface(const CQtDrawSurface&) = delete;
    CQtDrawSurface& operator=(const CQtDrawSurface&) = delete;

    // The colour the plot's texts take (the platform's window text colour).
    void SetWindowTextColor(Color color) { m_windowText = color; }

    bool IsPrinter() const override { return m_bPrinter; }
    CSize GetPageSize() const override { return CSize{m_page.width(), m_page.height()}; }
    double GetPixelAspectX() const override { return m_dAspectX; }
    double GetPixelAspectY() const override { return m_dAspectY; }
    CRect GetClientRect() const override;
    Color GetWindowTextColor() const override { return m_windowText; }
    double GetDeviceScale() const override;
    void SetAntialiasing(bool on) override;
    CSize GetTextExtent(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void SetTextAlign(TextAlign align) override { m_align = align; }
    TextAlign GetTextAlign() const override { return m_align; }
    void SetTextColor(Color color) override { m_textColor = color; }
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
    void DrawPixels(const std::vector<CPoint>& points) override;
    void SetClipRect(const CRect& rect) override;
    void ClearClip() override;

    static QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
    // The Qt font for a description.
    static QFont ToQFont(const CFontDesc& desc);

    // Draws the lines waiting to be drawn together.
    void Flush();
    // Neighbouring vertical lines of equal extent (the columns of a dense
    // trace) are filled as one rectangle where that paints the same pixels
    // (a thin solid pen at 1x without smoothing); on by default.
    void SetMergeColumns(bool on) { m_bMergeColumns = on; }

private:
    QPainter& m_p;
    QRect m_client;
    bool m_bPrinter;
    QSize m_page;
    double m_dAspectX;
    double m_dAspectY;
    Color m_windowText = 0;
    Color m_textColor = 0;
    TextAlign m_align = TextAlign::CenterBaseline;
    CFontDesc m_font;
    CPen m_pen;
    Color m_brush = Rgb(255, 255, 255);
    RasterOp m_rop = RasterOp::CopyPen;
    QPoint m_pos;
    std::vector<QLine> m_lines;
    bool m_bMergeColumns = true;
    // Scratch lists of the merging.
    std::vector<QLine> m_vertical;
    std::vector<QLine> m_other;
    std::vector<QRect> m_rects;
};

}  // namespace kv
