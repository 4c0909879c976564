#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "plot/CZoomPlot.h"

namespace kv::test {

// A zoomable plot over fixed points, for tests of layout, drawing and zooming.
class CTestPlot : public CZoomPlot {
public:
    std::vector<double> xs;
    std::vector<std::vector<double>> ys;
    std::vector<std::string> names;
    bool hasData = true;
    int builds = 0;
    int ranges = 0;

    bool HasData() const override { return hasData && !xs.empty(); }
    int GetTraceCount() const override { return static_cast<int>(ys.size()); }
    void ComputeRanges() override {
        ++ranges;
        double yMin = ys[0][0], yMax = ys[0][0];
        for (const auto& t : ys)
            for (double v : t) {
                yMin = std::min(yMin, v);
                yMax = std::max(yMax, v);
            }
        if (m_bPolar)
            SetDataRanges(*std::min_element(ys[0].begin(), ys[0].end()), *std::max_element(ys[0].begin(), ys[0].end()),
                          *std::min_element(ys[1].begin(), ys[1].end()), *std::max_element(ys[1].begin(), ys[1].end()));
        else
            SetDataRanges(*std::min_element(xs.begin(), xs.end()), *std::max_element(xs.begin(), xs.end()), yMin,
                          yMax);
    }
    void BuildPlotData(int&) override {
        ++builds;
        for (double x : xs) m_XColumn.Append(x);
        for (size_t n = 0; n < ys.size() && static_cast<int>(n) < m_Traces.GetColumnCount(); ++n)
            for (double y : ys[n]) Trace(static_cast<int>(n)).Append(y);
    }
    void UpdateLegend() override {
        for (int n = 0; n < m_Traces.GetColumnCount(); ++n) {
            Trace(n).m_strName = n < static_cast<int>(names.size()) ? names[n] : std::string();
            Trace(n).m_nTag1 = static_cast<int32_t>(n == 0 ? 0x0000FF : 0xFF0000);
        }
    }
    // Points (i, f(i)) for i = 0 ... n - 1.
    template <class F>
    static void Fill(CTestPlot& p, int n, F f) {
        p.xs.clear();
        p.ys.assign(1, {});
        for (int i = 0; i < n; ++i) {
            p.xs.push_back(i);
            p.ys[0].push_back(f(i));
        }
    }
};

}  // namespace kv::test
