#include "CFuzzSurface.h"

#include <cstdio>
#include <cstdlib>

namespace kv::fuzz {

void CFuzzSurface::CheckPosition(int64_t v) {
    constexpr int64_t kLimit = int64_t{1} << 30;
    if (v > kLimit || v < -kLimit) {
        std::fprintf(stderr, "drawing position %lld is beyond any device\n", static_cast<long long>(v));
        std::abort();
    }
}

CSize CFuzzSurface::GetTextExtent(const std::string& text) {
    const int h = m_font.m_nHeight < 0 ? -m_font.m_nHeight : m_font.m_nHeight;
    const int64_t w = static_cast<int64_t>(text.size()) * (h / 2);
    return CSize{w > (int64_t{1} << 30) ? (1 << 30) : static_cast<int>(w), h};
}

void CFuzzSurface::TextOut(int x, int y, const std::string&) {
    CheckPosition(x);
    CheckPosition(y);
    ++m_nDrawn;
}

bool CFuzzSurface::SelectFont(const CFontDesc& desc) {
    // Like a real device: no font from a height of zero or beyond any screen.
    if (desc.m_nHeight == 0 || desc.m_nHeight > 100000 || desc.m_nHeight < -100000) return false;
    m_font = desc;
    return true;
}

void CFuzzSurface::MoveTo(int x, int y) {
    CheckPosition(x);
    CheckPosition(y);
}

void CFuzzSurface::LineTo(int x, int y) {
    CheckPosition(x);
    CheckPosition(y);
    ++m_nDrawn;
}

void CFuzzSurface::Ellipse(int left, int top, int right, int bottom) {
    CheckPosition(left);
    CheckPosition(top);
    CheckPosition(right);
    CheckPosition(bottom);
    ++m_nDrawn;
}

void CFuzzSurface::SetClipRect(const CRect& rect) {
    CheckPosition(rect.left);
    CheckPosition(rect.top);
    CheckPosition(rect.right);
    CheckPosition(rect.bottom);
}

}  // namespace kv::fuzz
