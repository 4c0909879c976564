#include "qt/CQtDrawSurface.h"

#include <algorithm>
#include <cstdlib>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPaintDevice>
#include <QPen>

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

CQtDrawSurface::CQtDrawSurface(QPainter& painter, const QRect& client, bool printer, QSize pageSize, int dpiX,
                               int dpiY)
    : m_p(painter),
      m_client(client),
      m_bPrinter(printer),
      m_page(pageSize.isValid() ? pageSize : client.size()),
      m_dAspectX(dpiX > 0 ? 1.0 / dpiX : 1.0),
      m_dAspectY(dpiY > 0 ? 1.0 / dpiY : 1.0) {
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    m_p.setRenderHint(QPainter::TextAntialiasing, true);
    SelectFont(m_font);
    SelectPen(m_pen);
    SelectBrush(m_brush);
}

CQtDrawSurface::~CQtDrawSurface() {
    Flush();
    m_p.restore();
}

double CQtDrawSurface::GetDeviceScale() const {
    return m_p.device() ? m_p.device()->devicePixelRatioF() : 1.0;
}

void CQtDrawSurface::SetAntialiasing(bool on) {
    Flush();
    m_p.setRenderHint(QPainter::Antialiasing, on);
}

CRect CQtDrawSurface::GetClientRect() const {
    return CRect{m_client.left(), m_client.top(), m_client.left() + m_client.width(),
                 m_client.top() + m_client.height()};
}

QFont CQtDrawSurface::ToQFont(const CFontDesc& desc) {
    QFont f(Q(desc.m_strFace));
    f.setPixelSize(std::max(1, desc.m_nHeight));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(desc.m_nWeight <= 0 ? 400 : desc.m_nWeight, 1, 1000)));
    f.setItalic(desc.m_bItalic);
    switch (desc.m_nPitchAndFamily & 0xF0) {
        case CFontDesc::FamilyRoman: f.setStyleHint(QFont::Serif); break;
        case CFontDesc::FamilyModern: f.setStyleHint(QFont::TypeWriter); break;
        default: f.setStyleHint(QFont::SansSerif); break;
    }
    if ((desc.m_nPitchAndFamily & 0x0F) == CFontDesc::FixedPitch) f.setFixedPitch(true);
    f.setStyleStrategy(desc.m_nQuality == CFontDesc::ProofQuality ? QFont::PreferQuality : QFont::PreferDefault);
    return f;
}

bool CQtDrawSurface::SelectFont(const CFontDesc& desc) {
    if (desc.m_nHeight < 1) return false;
    QFont f = ToQFont(desc);
    m_p.setFont(f);
    QFontInfo info(m_p.font());
    m_font = desc;
    m_font.m_strFace = info.family().toStdString();
    m_font.m_nHeight = info.pixelSize() > 0 ? info.pixelSize() : desc.m_nHeight;
    m_font.m_nWeight = info.weight();
    m_font.m_bItalic = info.italic();
    return true;
}

CSize CQtDrawSurface::GetTextExtent(const std::string& text) {
    QFontMetrics fm(m_p.font(), m_p.device());
    return CSize{fm.horizontalAdvance(Q(text)), fm.height()};
}

void CQtDrawSurface::TextOut(int x, int y, const std::string& text) {
    Flush();
    QString s = Q(text);
    QFontMetrics fm(m_p.font(), m_p.device());
    int w = fm.horizontalAdvance(s);
    int dx = 0, dy = 0;
    switch (m_align) {
        case TextAlign::CenterBaseline: dx = -w / 2; break;
        case TextAlign::RightBottom:
            dx = -w;
            dy = -fm.descent();
            break;
        case TextAlign::CenterBottom:
            dx = -w / 2;
            dy = -fm.descent();
            break;
    }
    QPen pen = m_p.pen();
    QPainter::CompositionMode mode = m_p.compositionMode();
    m_p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_p.setPen(ToQColor(m_textColor));
    if (m_font.m_nEscapement != 0) {
        m_p.save();
        m_p.translate(x, y);
        m_p.rotate(-m_font.m_nEscapement / 10.0);
        m_p.drawText(dx, dy, s);
        m_p.restore();
    } else {
        m_p.drawText(x + dx, y + dy, s);
    }
    m_p.setPen(pen);
    m_p.setCompositionMode(mode);
}

void CQtDrawSurface::SetTransparentBackground() { m_p.setBackgroundMode(Qt::TransparentMode); }

void CQtDrawSurface::SelectPen(const CPen& pen) {
    Flush();
    m_pen = pen;
    QPen q(ToQColor(pen.m_color));
    // A thin pen is one layout pixel wide: one device pixel at scale 1 (a
    // cosmetic pen), as many device pixels as the scale gives above it.
    const qreal ratio = m_p.device() ? m_p.device()->devicePixelRatioF() : 1.0;
    if (pen.m_nWidth > 1)
        q.setWidth(pen.m_nWidth);
    else if (ratio > 1.0)
        q.setWidthF(1.0);
    else
        q.setWidth(0);
    q.setStyle(pen.m_style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    q.setCapStyle(Qt::FlatCap);
    m_p.setPen(q);
}

void CQtDrawSurface::SelectBrush(Color color) {
    Flush();
    m_brush = color;
    m_p.setBrush(ToQColor(color));
}

void CQtDrawSurface::SetRasterOp(RasterOp op) {
    Flush();
    m_rop = op;
    m_p.setCompositionMode(op == RasterOp::XorPen ? QPainter::RasterOp_SourceXorDestination
                                                  : QPainter::CompositionMode_SourceOver);
}

void CQtDrawSurface::MoveTo(int x, int y) { m_pos = QPoint(x, y); }

void CQtDrawSurface::LineTo(int x, int y) {
    QPoint from = m_pos;
    m_pos = QPoint(x, y);
    if (from == m_pos) return;
    // With a flat cap Qt leaves out the pixel at the far end of the major
    // axis: the end point for lines drawn rightward or downward. A line the
    // other way is drawn from its end toward its start, moved one pixel along
    // the major axis, so that again the start is painted and the end is not
    // (XOR rectangles need every corner painted exactly once).
    int dx = x - from.x();
    int dy = y - from.y();
    bool xMajor = std::abs(dx) >= std::abs(dy);
    QLine line;
    if (xMajor && dx < 0)
        line = QLine(QPoint(x + 1, y), QPoint(from.x() + 1, from.y()));
    else if (!xMajor && dy < 0)
        line = QLine(QPoint(x, y + 1), QPoint(from.x(), from.y() + 1));
    else
        line = QLine(from, m_pos);
    // Lines in the same pen are drawn together; XOR lines one by one, as
    // each must cancel exactly what an earlier one drew.
    if (m_rop == RasterOp::XorPen) {
        m_p.drawLine(line);
        return;
    }
    m_lines.push_back(line);
    if (m_lines.size() >= 4096) Flush();
}

void CQtDrawSurface::Flush() {
    if (m_lines.empty()) return;
    const QPen& pen = m_p.pen();
    const bool exact = m_bMergeColumns && m_lines.size() > 64 && pen.style() == Qt::SolidLine && pen.widthF() == 0.0 &&
                       !m_p.testRenderHint(QPainter::Antialiasing) &&
                       (!m_p.device() || m_p.device()->devicePixelRatioF() == 1.0) &&
                       m_p.transform().type() == QTransform::TxNone &&
                       m_p.compositionMode() == QPainter::CompositionMode_SourceOver && pen.color().alpha() == 255;
    if (!exact) {
        m_p.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
        m_lines.clear();
        return;
    }
    // A thin line covers the pixels from its start to the one before its
    // end (LineTo stores every vertical line downward). Vertical lines in
    // neighbouring columns (the spans of a dense trace) are painted as the
    // rectangle they share and, for each, the rest above and below it:
    // exactly their pixels, which Qt fills much faster than it draws lines.
    m_vertical.clear();
    m_other.clear();
    for (const QLine& l : m_lines) {
        if (l.x1() == l.x2() && l.y2() > l.y1() + 1)
            m_vertical.push_back(l);
        else
            m_other.push_back(l);
    }
    std::sort(m_vertical.begin(), m_vertical.end(), [](const QLine& a, const QLine& b) {
        if (a.x1() != b.x1()) return a.x1() < b.x1();
        return a.y1() < b.y1();
    });
    m_rects.clear();
    for (size_t i = 0; i < m_vertical.size();) {
        int top = m_vertical[i].y1(), bottom = m_vertical[i].y2();
        const int least = std::max(8, (bottom - top) / 2);
        int right = m_vertical[i].x1();
        size_t j = i + 1;
        for (; j < m_vertical.size(); ++j) {
            const QLine& l = m_vertical[j];
            const int t = std::max(top, l.y1()), b = std::min(bottom, l.y2());
            if (l.x1() > right + 1 || b - t < least) break;
            top = t;
            bottom = b;
            right = l.x1();
        }
        if (j - i == 1) {
            m_other.push_back(m_vertical[i]);
        } else {
            const int left = m_vertical[i].x1();
            m_rects.emplace_back(left, top, right - left + 1, bottom - top);
            for (size_t k = i; k < j; ++k) {
                const QLine& l = m_vertical[k];
                if (l.y1() < top) m_rects.emplace_back(l.x1(), l.y1(), 1, top - l.y1());
                if (l.y2() > bottom) m_rects.emplace_back(l.x1(), bottom, 1, l.y2() - bottom);
            }
        }
        i = j;
    }
    if (!m_rects.empty()) {
        const QPen pen0 = m_p.pen();
        const QBrush brush0 = m_p.brush();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(pen0.color());
        m_p.drawRects(m_rects.data(), static_cast<int>(m_rects.size()));
        m_p.setPen(pen0);
        m_p.setBrush(brush0);
    }
    if (!m_other.empty()) m_p.drawLines(m_other.data(), static_cast<int>(m_other.size()));
    m_lines.clear();
}

void CQtDrawSurface::Ellipse(int left, int top, int right, int bottom) {
    Flush();
    if (right - left < 2 || bottom - top < 2) return;
    m_p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void CQtDrawSurface::DrawPixels(const std::vector<CPoint>& points) {
    Flush();
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const CPoint& p : points) q.emplace_back(p.x, p.y);
    QPen pen = m_p.pen();
    pen.setCapStyle(Qt::SquareCap);
    m_p.save();
    m_p.setPen(pen);
    m_p.drawPoints(q.data(), static_cast<int>(q.size()));
    m_p.restore();
}

void CQtDrawSurface::SetClipRect(const CRect& r) {
    Flush();
    m_p.setClipRect(QRect(r.left, r.top, r.Width(), r.Height()));
}

void CQtDrawSurface::ClearClip() {
    Flush();
    m_p.setClipping(false);
}

}  // namespace kv
