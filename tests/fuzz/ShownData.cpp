#include "ShownData.h"

#include "CFuzzPlatform.h"
#include "CFuzzSurface.h"
#include "analysis/CDsStats.h"
#include "analysis/CHistogramData.h"
#include "analysis/Histogram.h"
#include "app/AnalysisCommands.h"
#include "app/CKalvoraDoc.h"
#include "formats/SignalFiles.h"
#include "plot/CGraph.h"
#include "plot/PlotCommands.h"

namespace kv::fuzz {

namespace {

const int kTypeCommands[] = {ID_PLOT_INPHASE,   ID_PLOT_QUADRATURE, ID_PLOT_I_AND_Q,
                             ID_PLOT_MAGNITUDE, ID_PLOT_PHASE,      ID_PLOT_POLAR};
const int kStyleCommands[] = {ID_STYLE_AUTO, ID_STYLE_LINE,  ID_STYLE_DOT,           ID_STYLE_LINE_AND_DOT,
                              ID_STYLE_BAR,  ID_STYLE_STEM,  ID_STYLE_VERTICAL_LINE, ID_STYLE_STAIR};

void Paint(CGraph& graph, int width, int height, bool printer = false) {
    CFuzzSurface surface(width, height);
    surface.SetPrinter(printer);
    if (printer) surface.SetAspect(1.0, 2.0);
    graph.Paint(surface);
}

// A drag over the middle of the plot, a repaint, a wheel step, a repaint
// and back to the top level (the view painted before the zoom).
void Zoom(CGraph& graph) {
    const int w = graph.m_nPlotWidth;
    const int h = graph.m_nPlotHeight;
    if (w < 8 || h < 8) return;
    const int left = graph.m_nPlotLeft;
    const int bottom = graph.m_nPlotBottom;
    graph.ZoomTo(CRect{left + w / 4, bottom - 3 * h / 4, left + 3 * w / 4, bottom - h / 4}, true, true, false);
    Paint(graph, 640, 400);
    graph.OnMouseWheel(120, false, false, CPoint{left + w / 2, bottom - h / 2});
    Paint(graph, 640, 400);
    graph.DoCommand(ID_ZOOM_TOP);
}

}  // namespace

void PaintEveryPlot(CFuzzPlatform& platform, uint32_t variant) {
    // One plot type, style and view per input keeps a run short; the inputs
    // of a campaign go through all of them. The plot is painted as opened,
    // then in the type and style picked, then in one of the views picked:
    // the histogram zoomed, the plot zoomed, or a window too small for a
    // plot (the polar plot: a printer page instead of the histogram).
    const int type = kTypeCommands[variant % 6];
    const int style = kStyleCommands[(variant / 6) % 8];
    const uint32_t view = (variant / 48) % 3;
    for (auto& plot : platform.m_Plots) {
        CGraph& graph = plot->graph;
        Paint(graph, 640, 400);
        graph.DoCommand(style);
        graph.DoCommand(type);
        Paint(graph, 640, 400);
        if (view == 0 && type == ID_PLOT_POLAR) {
            Paint(graph, 300, 700, true);
        } else if (view == 0) {
            graph.DoCommand(ID_PLOT_HISTOGRAM);
            Paint(graph, 640, 400);
            Zoom(graph);
            graph.DoCommand(ID_PLOT_HISTOGRAM);
        } else if (view == 1) {
            Zoom(graph);
        } else {
            Paint(graph, 60, 45);
        }
    }
}

void GatherStatistics(CKalvoraDoc& doc) {
    CDsStats timeStats;
    timeStats.Compute(doc.m_TimeData);
    timeStats.Compute(doc.m_FreqData);
    doc.UpdateDbReference();
    if (!doc.m_FreqData.IsEmpty()) {
        doc.m_FreqStats.ComputeFrequencyStatistics();
        // The list window writes the list.
        ShowFrequencyList(doc, doc.m_FreqStats);
    }
    for (CKalvoData* data : {&doc.m_TimeData, &doc.m_FreqData}) {
        CHistogramData histogram;
        ComputeHistogram(*data, histogram, HIST_INPHASE, HIST_QUADRATURE);
        ComputeHistogram(*data, histogram, HIST_POWER, HIST_PHASE);
        ComputeHistogram(*data, histogram, HIST_MAGNITUDE, HIST_NONE);
        // The rows as text: every value printed, the same code for any
        // length, so long data (a generation of thousands) is left out.
        if (data->GetCount() <= 1024) CopyDataToClipboard(*data);
    }
}

}  // namespace kv::fuzz
