// Repaint speed of the signal graph: a full repaint (range scan, data
// reduction and drawing into a 1600 x 1000 image) and a repaint without a
// data rebuild, for long Time Data in I And Q and for a long spectrum in dB
// with sum mode. Prints "name=value" lines (milliseconds, median of runs).

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "data/CKalvoData.h"
#include "plot/CGraph.h"
#include "qt/CQtDrawSurface.h"

namespace {

using Clock = std::chrono::steady_clock;

void Fill(kv::CKalvoData& d, int n, bool time, double fs) {
    d.Reset();
    d.m_bTime = time ? 1 : 0;
    d.Inphase().SetSize(n);
    d.Quadrature().SetSize(n);
    double* re = d.Inphase().GetWritableData();
    double* im = d.Quadrature().GetWritableData();
    unsigned seed = 12345;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        double noise = ((seed >> 8) & 0xFFFF) / 65536.0 - 0.5;
        re[i] = std::sin(i * 0.001) + 0.01 * noise;
        im[i] = std::cos(i * 0.001) - 0.01 * noise;
    }
    d.m_bReal = 0;
    d.ResetRange();
    kv::CFs f(fs);
    d.ApplyFs(f);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Measure(const char* name, kv::CGraph& graph, int runs) {
    QImage image(1600, 1000, QImage::Format_RGB32);
    std::vector<double> full, repaint;
    for (int r = 0; r < runs; ++r) {
        graph.ClearPlotData();
        auto t0 = Clock::now();
        {
            QPainter painter(&image);
            painter.fillRect(image.rect(), Qt::white);
            kv::CQtDrawSurface surface(painter, image.rect());
            graph.Paint(surface);
        }
        auto t1 = Clock::now();
        {
            QPainter painter(&image);
            painter.fillRect(image.rect(), Qt::white);
            kv::CQtDrawSurface surface(painter, image.rect());
            graph.Paint(surface);
        }
        auto t2 = Clock::now();
        full.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        repaint.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    std::printf("%s_full_repaint_ms=%.1f\n", name, Median(full));
    std::printf("%s_repaint_without_rebuild_ms=%.2f\n", name, Median(repaint));
    std::printf("%s_points=%d\n", name, graph.m_XColumn.GetSize());
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const int runs = 5;

    kv::CKalvoData time;
    Fill(time, 10000000, true, 1e6);
    kv::CGraph timeGraph;
    timeGraph.Attach(time, 3, 0);  // I And Q
    Measure("time_10M_i_and_q", timeGraph, runs);

    kv::CKalvoData freq;
    Fill(freq, 4194304, false, 1e6);
    kv::CGraph freqGraph;
    freqGraph.Attach(freq, 4, 0);  // Complex Magnitude
    freqGraph.m_bDb = 1;
    freqGraph.m_bSumMode = 1;
    Measure("freq_4M_magnitude_db_sum", freqGraph, runs);
    return 0;
}
