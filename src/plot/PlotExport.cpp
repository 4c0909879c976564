#include "plot/PlotExport.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "formats/FormatHelpers.h"
#include "platform/StringTable.h"
#include "plot/CPlot.h"

namespace kv {

namespace {

// Calls the visitor for each plotted point a log axis can show, with the
// number of trace values (1 or 2).
void ForEachPoint(const CPlot& plot, const std::function<void(double, double, double, int)>& visit) {
    const CDataColumn& xs = plot.m_XColumn;
    int traces = plot.m_Traces.GetColumnCount();
    if (traces < 1) return;
    const CDataColumn& t1 = plot.m_Traces.GetColumn(0);
    int count = std::min(xs.GetSize(), t1.GetSize());
    const CDataColumn* t2 = nullptr;
    if (traces > 1) {
        t2 = &plot.m_Traces.GetColumn(1);
        count = std::min(count, t2->GetSize());
    }
    for (int i = 0; i < count; ++i) {
        double x = xs[i];
        if (plot.m_bXLog && x <= 0) continue;
        double y1 = t1[i];
        if (plot.m_bYLog && y1 <= 0) continue;
        if (t2) {
            double y2 = (*t2)[i];
            if (plot.m_bYLog && y2 <= 0) continue;
            visit(x, y1, y2, 2);
        } else {
            visit(x, y1, 0.0, 1);
        }
    }
}

}  // namespace

std::string FormatPlotData(const CPlot& plot) {
    std::string text;
    ForEachPoint(plot, [&](double x, double y1, double y2, int n) {
        if (n == 2)
            text += StringPrintf("%12.9lf\t%12.9lf\t%12.9lf\r\n", x, y1, y2);
        else
            text += StringPrintf("%12.9lf\t%12.9lf\r\n", x, y1);
    });
    return text;
}

bool WritePlotData(std::FILE* file, const CPlot& plot, bool writeTitles) {
    if (writeTitles) {
        WriteTextLine(file, plot.m_strMainTitle);
        WriteTextLine(file, plot.m_strYTitle);
        WriteTextLine(file, plot.m_strXTitle);
    }
    ForEachPoint(plot, [&](double x, double y1, double y2, int n) {
        std::string line = StringPrintf("%g   %g", x, y1);
        if (n == 2) line += StringPrintf("   %g", y2);
        WriteTextLine(file, line);
    });
    return std::ferror(file) == 0;
}

}  // namespace kv
