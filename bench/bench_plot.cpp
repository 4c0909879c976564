// Repaint speed of the signal graph at 1600 x 1000: for each plot type of a
// complex capture (10,000,000 samples unless given; polar only up to that)
// and of a 4,194,304-bin spectrum in dB with sum mode, the first repaint
// (which builds the overview of the data), a full repaint (range scan, data
// reduction and drawing into an image), a repaint without a data rebuild (the same points drawn again) and
// one zoom step in the window (keyboard zoom in around the centre, then the
// repaint it asks for). Prints "name=value" lines: milliseconds, the median
// wall time of the runs and the best thread CPU time.
//
//   bench_plot [samples] [runs]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "BenchPlatform.h"
#include "BenchTiming.h"
#include "data/CKalvoData.h"
#include "plot/CGraph.h"
#include "plot/PlotCommands.h"
#include "qt/CQtDrawSurface.h"

namespace {

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
        re[i] = std::sin(i * 0.0123) + 0.01 * noise;
        im[i] = std::cos(i * 0.0123) - 0.01 * noise;
    }
    d.m_bReal = 0;
    d.ResetRange();
    kv::CFs f(fs);
    d.ApplyFs(f);
}

void PaintInto(QImage& image, kv::CGraph& graph) {
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    kv::CQtDrawSurface surface(painter, image.rect());
    graph.Paint(surface);
}

void Report(const std::string& name, const char* what, const bench::Timing& t) {
    std::printf("%s_%s_ms=%.1f\n", name.c_str(), what, t.median);
    std::printf("%s_%s_cpu_ms=%.1f\n", name.c_str(), what, t.bestCpu);
}

void Measure(const std::string& name, kv::CKalvoData& data, int typeCode, int runs, bool db = false) {
    QImage image(1600, 1000, QImage::Format_RGB32);
    kv::CGraph graph;
    graph.Attach(data, typeCode, 0);
    if (db) {
        graph.m_bDb = 1;
        graph.m_bSumMode = 1;
    }
    // The first paint builds the overview of the data (min/max per block of
    // samples) that later reductions use, and settles the axes.
    Report(name, "first_repaint_with_overview", bench::Measure(1, [&] { PaintInto(image, graph); }));
    Report(name, "full_repaint", bench::Measure(runs, [&] {
               graph.ClearPlotData();
               PaintInto(image, graph);
           }));
    Report(name, "repaint_without_rebuild", bench::Measure(runs, [&] { PaintInto(image, graph); }));
    if (typeCode != 6) {
        // From the full view, one keyboard zoom in around the centre (to
        // the middle half) and the repaint it asks for.
        std::vector<double> wall, cpu;
        for (int r = 0; r < runs; ++r) {
            graph.ResetZoom();
            graph.Refresh();
            PaintInto(image, graph);
            bench::Timing t = bench::Measure(1, [&] {
                graph.OnCommand(kv::ID_VIEW_ZOOM_IN_CENTRE);
                PaintInto(image, graph);
            });
            wall.push_back(t.median);
            cpu.push_back(t.bestCpu);
        }
        std::sort(wall.begin(), wall.end());
        Report(name, "zoom_step", bench::Timing{wall.front(), wall[wall.size() / 2],
                                                *std::min_element(cpu.begin(), cpu.end())});
    }
    std::printf("%s_points=%d\n", name.c_str(), graph.m_XColumn.GetSize());
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int samples = argc > 1 ? std::atoi(argv[1]) : 10000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    bench::CBenchPlatform platform(bench::CBenchPlatform::Dialogs::Cancel, false);

    kv::CKalvoData time;
    Fill(time, samples, true, 1e6);
    const std::string label = samples % 1000000 == 0 ? std::to_string(samples / 1000000) + "M" : std::to_string(samples);
    const char* types[] = {"inphase", "quadrature", "i_and_q", "magnitude", "phase", "polar"};
    // A polar plot draws every sample's pixel: left out above 10,000,000 samples.
    const int last = samples > 10000000 ? 5 : 6;
    for (int t = 0; t < last; ++t) Measure("time_" + label + "_" + types[t], time, t + 1, runs);

    kv::CKalvoData freq;
    Fill(freq, 4194304, false, 1e6);
    Measure("freq_4M_magnitude_db_sum", freq, 4, runs, true);
    return 0;
}
