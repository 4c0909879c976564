// Runs of vertical lines filled as rectangles paint exactly the pixels the
// lines would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include <QImage>
#include <QPainter>

#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "plot/CGraph.h"
#include "qt/CQtDrawSurface.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

template <typename Draw>
QImage Paint(bool merge, QSize size, Draw draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        CQtDrawSurface surface(painter, image.rect());
        surface.SetMergeColumns(merge);
        draw(surface);
    }
    painter.end();
    return image;
}

TEST(QtDrawSurfaceColumns, MergedColumnsPaintTheSamePixelsAsTheLines) {
    auto lines = [](IDrawSurface& dc) {
        uint32_t seed = 7;
        auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
        };
        dc.SelectPen(CPen{PenStyle::Solid, 1, Rgb(200, 0, 0)});
        // Runs of equal columns drawn down and up, duplicates, single
        // columns, one-pixel lines and slanted joins between them.
        for (int x = 10; x < 290; ++x) {
            const int band = (x / 37) % 3;
            const int top = band == 0 ? 20 : band == 1 ? 50 + next(3) : 30;
            const int bottom = band == 2 ? 31 : 180 - (x % 5 == 0 ? 1 : 0);
            if (x % 2) {
                dc.MoveTo(x, top);
                dc.LineTo(x, bottom);
            } else {
                dc.MoveTo(x, bottom);
                dc.LineTo(x, top);
            }
            if (x % 11 == 0) {
                dc.MoveTo(x, top);
                dc.LineTo(x, bottom);
            }
            dc.MoveTo(x, top + next(100));
            dc.LineTo(x + 1, top + next(100));
        }
        dc.SetClipRect(CRect{100, 60, 200, 120});
        for (int x = 90; x < 210; ++x) {
            dc.MoveTo(x, 40);
            dc.LineTo(x, 150);
        }
        dc.ClearClip();
    };
    const QImage merged = Paint(true, QSize(300, 200), lines);
    const QImage plain = Paint(false, QSize(300, 200), lines);
    EXPECT_EQ(merged, plain);
}

TEST(QtDrawSurfaceColumns, ADenseGraphIsPaintedPixelForPixelAsBefore) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    data.m_bTime = 1;
    for (int i = 0; i < 300000; ++i) {
        data.Inphase().Append(std::sin(i * 0.0123) + 0.05 * std::sin(i * 1.7));
        data.Quadrature().Append(std::cos(i * 0.0123));
    }
    data.m_bReal = 0;
    data.ResetRange();
    CFs fs(1e6);
    data.ApplyFs(fs);
    for (int type : {3, 5}) {  // I and Q, phase
        CGraph graph;
        graph.Attach(data, type, 0);
        auto paint = [&graph](IDrawSurface& dc) { graph.Paint(dc); };
        const QImage merged = Paint(true, QSize(900, 600), paint);
        const QImage plain = Paint(false, QSize(900, 600), paint);
        EXPECT_EQ(merged, plain) << "type " << type;
    }
}

}  // namespace
}  // namespace kv
