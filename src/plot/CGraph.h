#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/CHistogramData.h"
#include "data/CKalvoData.h"
#include "platform/CView.h"
#include "plot/CEnvelopePyramid.h"
#include "plot/CEnvelopeSource.h"
#include "plot/CPlotMarkers.h"
#include "plot/CShareAppPlot.h"

namespace kv {

class CKalvoData;

// Plot types of a signal graph (the "Type" menu).
enum PlotType : int32_t {
    PLOT_NONE = -1,
    PLOT_INPHASE = 0,
    PLOT_QUADRATURE = 1,
    PLOT_I_AND_Q = 2,
    PLOT_MAGNITUDE = 3,
    PLOT_PHASE = 4,
    PLOT_POLAR = 5,
};

// The plot window of one signal data object (the Time Data or the Frequency
// Data of a project): it chooses what is plotted (the plot type), builds its
// titles from the data, reduces the data to about one point per pixel column
// on every full repaint, reads out clicked points, and shows a polar plot or
// a histogram of the data. The project document tells it of changes through
// OnUpdate.
class CGraph : public CShareAppPlot, public CView {
public:
    CGraph();
    ~CGraph() override;

    // ---- view -------------------------------------------------------------------
    void OnUpdate(CView* sender, int hint, CObject* object) override;
    bool IsSignalGraph() const override { return true; }
    const CKalvoData* GetGraphData() const override { return m_pSource; }
    // Shows a data object without a document, as the document's "plot
    // opened" notification does (type and style codes as in the preferences:
    // type 0 automatic, 1 Inphase ... 6 Polar, 7 histogram; style 0 Auto ...).
    void Attach(CKalvoData& data, int typeCode, int styleCode);

    // ---- plot operations ------------------------------------------------------------
    int GetTitlePower(int power) override;
    void BuildPlotData(int& pointsWanted) override;
    bool HasData() const override;
    int GetTraceCount() const override;
    int GetAutoStyle() const override;
    void ComputeRanges() override;
    void UpdateLegend() override;
    void AfterDraw(IDrawSurface& dc) override;
    void ResetZoom() override;
    bool SetXRange(double min, double max, bool strict) override;
    void GetViewXRange(double& min, double& max) const override;
    int FindNearestPoint(int px, int py, int& trace) override;
    void ShowPointInfo(int point) override;
    void DrawTraces(IDrawSurface& dc) override;
    void OnMouseWheel(int delta, bool ctrl, bool shift, CPoint p) override;

    void ResetGraph();
    // Appends one value per point of a component of the shown data (0 I,
    // 1 Q, 2 power, 3 phase) to a trace column, with the smallest and
    // largest value of the point's group (the envelope drawn in its pixel
    // column); the first call also fills the X column, the point counts and
    // the first sample of each point.
    void ReduceTrace(int component, CDataColumn& column);
    // Where the reduction gets the summaries of runs of samples (the
    // graph's own overview of the data when none is set; the source is not
    // owned).
    void SetEnvelopeSource(const CEnvelopeSource* source) { m_pEnvelopeSource = source; }
    const CEnvelopeSource& Envelope() const;
    // Chooses the group size of the reduction; may lower the width.
    void SetUpReduction(int& pointsWanted);
    // Appends the reduction note to the X title (Auto Titles only).
    void NoteReduction();

    // ---- markers ------------------------------------------------------------------
    // Places a marker (or moves the active one when four are placed) on
    // the sample of the plotted point nearest to a pixel (a Ctrl+click);
    // false when nothing is plotted there.
    bool PlaceMarkerAt(CPoint p);
    // Places a marker on a sample of a trace (0 or 1).
    bool PlaceMarker(int32_t sample, int trace);
    // Runs a peak search (ID_MARKER_PEAK_...) with the active marker over
    // the samples the view shows; false when it found no peak.
    bool MarkerPeakSearch(int command);
    // The X and the trace value of a sample of the shown data, as a marker
    // reads them (the value is not finite where the sample is not).
    double MarkerX(int32_t sample) const;
    double MarkerY(int32_t sample, int trace) const;
    // The marker table.
    std::vector<CPlotMarkers::CRow> MarkerRows() const;
    // The marker table as text: a head line (blank, X, Y, Sample and, with
    // a reference marker, the differences) and a line per marker.
    std::vector<std::vector<std::string>> MarkerTableText() const;
    // The indices of all samples of the shown data; false when it has none.
    bool FullIndexRange(int32_t& first, int32_t& last) const;
    CPlotMarkers& Markers() { return m_Markers; }
    const CPlotMarkers& Markers() const { return m_Markers; }
    // Called after the markers changed (the window's marker table follows).
    std::function<void()> m_OnMarkersChanged;
    // Runs the commands the window does itself (the marker table, Save
    // Picture As); they are disabled while it is not set.
    std::function<void(int id)> m_WindowCommand;
    // The marker table is drawn in the plot (a picture without a window's table).
    int32_t m_bMarkerTable = 0;

    // ---- commands -----------------------------------------------------------------
    void SetType(int type);
    void ToggleHistogram();
    void OnProperties();
    // The window changed its size.
    void OnSize();
    bool DoCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

    // The histogram of the source for the current type (emptied outside
    // histogram mode).
    void RecomputeHistogram();
    // The magnitude of a power: decibels of the source data, or its root.
    double Magnitude(double power) const;
    // The data plotted: the histogram in histogram mode (except Polar),
    // else the source data.
    CKalvoData* ShownData();

    // A polar plot of more samples than this draws the pixels they fall on.
    static constexpr int64_t kMaxPolarPoints = 4096;

    int32_t m_nType = PLOT_NONE;
    int32_t m_bRefreshOnResize = 1;
    int32_t m_bDb = 1;
    int32_t m_bSumMode = 1;
    int32_t m_bIntegerReduction = 0;
    int32_t m_bDataReal = 1;
    int32_t m_nSamplesPerPoint = 0;
    double m_dReductionRatio = 0.0;
    int32_t m_bHistogram = 0;
    int32_t m_bHistogramTitlesPending = 0;
    CHistogramData m_Histogram;
    CKalvoData* m_pSource = nullptr;
    CKalvoData* m_pShown = nullptr;

private:
    // X and Y ranges of the working range of a data object for the type.
    void DataRanges(const CKalvoData& data, double& xMin, double& xMax, double& yMin, double& yMax);
    void ReducePolar();
    // The groups of the reduction over working indices first ... last: the
    // first index of each group, then one past the last.
    void ComputeGroupStarts(const CKalvoData& d, int32_t first, int32_t last);
    // The type whose values the traces show.
    int TraceType() const;
    bool IsHistogramShown() const { return m_bHistogram && m_nType != PLOT_POLAR; }
    const CKalvoData* ShownConst() const;
    // Drops the markers whose sample the shown data no longer holds; tells
    // of the change.
    void KeepMarkers();
    void MarkersChanged();
    void DrawMarkers(IDrawSurface& dc);
    void DrawMarkerTable(IDrawSurface& dc);

    bool m_bFromDocument = false;  // attached by a document (which may go away)
    std::vector<int32_t> m_GroupStarts;
    const CEnvelopeSource* m_pEnvelopeSource = nullptr;
    // The overview of long data that serves the reduction when no other
    // source is set.
    CEnvelopePyramid m_Overview;
    CPlotMarkers m_Markers;
};

}  // namespace kv
