#include "support/CRecordingSurface.h"

namespace kv::test {

CRecordingSurface::CRecordingSurface(int width, int height, IDrawSurface* inner)
    : m_pInner(inner), m_page{width, height}, m_rcClient{0, 0, width, height} {
    if (inner) {
        m_font = inner->GetCurrentFont();
        m_pen = inner->GetCurrentPen();
        m_brush = inner->GetCurrentBrush();
        m_align = inner->GetTextAlign();
    }
}

CSize CRecordingSurface::GetTextExtent(const std::string& text) {
    if (m_pInner) return m_pInner->GetTextExtent(text);
    int h = m_font.m_nHeight;
    return CSize{static_cast<int>(text.size()) * ((h + 1) / 2), h};
}

void CRecordingSurface::TextOut(int x, int y, const std::string& text) {
    CDrawCall c(CDrawCall::TextOut);
    c.x1 = x;
    c.y1 = y;
    c.text = text;
    c.font = m_font;
    c.align = m_align;
    calls.push_back(c);
    if (m_pInner) m_pInner->TextOut(x, y, text);
}

void CRecordingSurface::SetTextAlign(TextAlign align) {
    m_align = align;
    CDrawCall c(CDrawCall::SetTextAlign);
    c.align = align;
    calls.push_back(c);
    if (m_pInner) m_pInner->SetTextAlign(align);
}

void CRecordingSurface::SetTextColor(Color color) {
    CDrawCall c(CDrawCall::SetTextColor);
    c.color = color;
    calls.push_back(c);
    if (m_pInner) m_pInner->SetTextColor(color);
}

void CRecordingSurface::SetTransparentBackground() {
    calls.push_back(CDrawCall(CDrawCall::SetTransparent));
    if (m_pInner) m_pInner->SetTransparentBackground();
}

bool CRecordingSurface::SelectFont(const CFontDesc& desc) {
    CDrawCall c(CDrawCall::SelectFont);
    c.font = desc;
    calls.push_back(c);
    if (m_pInner) {
        if (!m_pInner->SelectFont(desc)) return false;
        m_font = m_pInner->GetCurrentFont();
        return true;
    }
    if (desc.m_nHeight < m_nMinFontHeight) return false;
    m_font = desc;
    return true;
}

void CRecordingSurface::SelectPen(const CPen& pen) {
    m_pen = pen;
    CDrawCall c(CDrawCall::SelectPen);
    c.pen = pen;
    calls.push_back(c);
    if (m_pInner) m_pInner->SelectPen(pen);
}

void CRecordingSurface::SelectBrush(Color color) {
    m_brush = color;
    CDrawCall c(CDrawCall::SelectBrush);
    c.color = color;
    calls.push_back(c);
    if (m_pInner) m_pInner->SelectBrush(color);
}

void CRecordingSurface::SetRasterOp(RasterOp op) {
    m_rop = op;
    CDrawCall c(CDrawCall::SetRasterOp);
    c.rop = op;
    calls.push_back(c);
    if (m_pInner) m_pInner->SetRasterOp(op);
}

void CRecordingSurface::MoveTo(int x, int y) {
    m_pos = CPoint{x, y};
    CDrawCall c(CDrawCall::MoveTo);
    c.x1 = x;
    c.y1 = y;
    calls.push_back(c);
    if (m_pInner) m_pInner->MoveTo(x, y);
}

void CRecordingSurface::LineTo(int x, int y) {
    CDrawCall c(CDrawCall::LineTo);
    c.x1 = m_pos.x;
    c.y1 = m_pos.y;
    c.x2 = x;
    c.y2 = y;
    c.pen = m_pen;
    c.rop = m_rop;
    c.smooth = m_bSmooth;
    calls.push_back(c);
    m_pos = CPoint{x, y};
    if (m_pInner) m_pInner->LineTo(x, y);
}

void CRecordingSurface::Ellipse(int left, int top, int right, int bottom) {
    CDrawCall c(CDrawCall::Ellipse);
    c.x1 = left;
    c.y1 = top;
    c.x2 = right;
    c.y2 = bottom;
    c.pen = m_pen;
    c.color = m_brush;
    calls.push_back(c);
    if (m_pInner) m_pInner->Ellipse(left, top, right, bottom);
}

void CRecordingSurface::SetClipRect(const CRect& rect) {
    CDrawCall c(CDrawCall::SetClip);
    c.rect = rect;
    calls.push_back(c);
    if (m_pInner) m_pInner->SetClipRect(rect);
}

void CRecordingSurface::ClearClip() {
    calls.push_back(CDrawCall(CDrawCall::ClearClip));
    if (m_pInner) m_pInner->ClearClip();
}

std::vector<CDrawCall> CRecordingSurface::Of(CDrawCall::Kind kind) const {
    std::vector<CDrawCall> out;
    for (const auto& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

std::vector<CDrawCall> CRecordingSurface::LinesInColor(Color color) const {
    std::vector<CDrawCall> out;
    for (const auto& c : calls)
        if (c.kind == CDrawCall::LineTo && c.pen.m_color == color) out.push_back(c);
    return out;
}

const CDrawCall* CRecordingSurface::FindText(const std::string& text) const {
    for (const auto& c : calls)
        if (c.kind == CDrawCall::TextOut && c.text == text) return &c;
    return nullptr;
}

}  // namespace kv::test
