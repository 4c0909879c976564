// Plot markers: the table they read, the peak searches that move them, the
// rules they survive zoom and data changes by, and that they are never
// stored with the project.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "app/CKalvoraDoc.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "plot/CPlotMarkers.h"
#include "plot/GraphFixture.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"

namespace kv {
namespace {

using test::CGraphFixture;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

CPlotMarkers::TraceValue Values(const std::vector<double>& v) {
    return [v](int32_t i, int) { return v[static_cast<size_t>(i)]; };
}

// ---------------------------------------------------------------------------
// The marker set

TEST(PlotMarkers, FourAtMostAFifthMovesTheActiveOne) {
    CPlotMarkers m;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(m.Place(10 * i, 0), i);
    EXPECT_EQ(m.Count(), 4);
    EXPECT_EQ(m.Active(), 3);
    m.SetActive(1);
    EXPECT_EQ(m.Place(99, 1), 1);
    EXPECT_EQ(m.Count(), 4);
    EXPECT_EQ(m.At(1).m_nSample, 99);
    EXPECT_EQ(m.At(1).m_nTrace, 1);
    m.ActivateNext();
    EXPECT_EQ(m.Active(), 2);
    m.SetActive(3);
    m.ActivateNext();
    EXPECT_EQ(m.Active(), 0);
}

TEST(PlotMarkers, RemovingRenumbersTheActiveAndReferenceMarkers) {
    CPlotMarkers m;
    m.Place(1, 0);
    m.Place(2, 0);
    m.Place(3, 0);
    m.ToggleReference(2);
    m.SetActive(1);
    m.Remove(0);
    EXPECT_EQ(m.Count(), 2);
    EXPECT_EQ(m.Reference(), 1);
    EXPECT_EQ(m.Active(), 0);
    EXPECT_EQ(m.At(0).m_nSample, 2);
    // Removing the reference leaves none; the active one stays valid.
    m.Remove(1);
    EXPECT_EQ(m.Reference(), -1);
    EXPECT_EQ(m.Active(), 0);
    m.Remove(0);
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(m.Active(), -1);
    // The reference toggles.
    m.Place(5, 0);
    m.ToggleReference(0);
    EXPECT_EQ(m.Reference(), 0);
    m.ToggleReference(0);
    EXPECT_EQ(m.Reference(), -1);
}

TEST(PlotMarkers, KeepWithinDropsMissingSamplesAndMovesMarkersOfMissingTraces) {
    CPlotMarkers m;
    m.Place(5, 1);
    m.Place(50, 0);
    m.Place(-3, 0);
    m.KeepWithin(0, 10, 1);
    ASSERT_EQ(m.Count(), 1);
    EXPECT_EQ(m.At(0).m_nSample, 5);
    EXPECT_EQ(m.At(0).m_nTrace, 0);
    EXPECT_EQ(m.Active(), 0);
}

TEST(PlotMarkers, RowsMeasureAgainstTheReference) {
    CPlotMarkers m;
    m.Place(100, 0);
    m.Place(110, 0);
    m.Place(100, 0);
    auto x = [](int32_t s) { return s * 0.001; };
    auto y = [](int32_t s, int) { return s * 2.0; };
    std::vector<CPlotMarkers::CRow> rows = m.Rows(x, y);
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& r : rows) EXPECT_FALSE(r.m_bDelta);
    m.ToggleReference(0);
    rows = m.Rows(x, y);
    EXPECT_TRUE(rows[0].m_bReference);
    EXPECT_FALSE(rows[0].m_bDelta);
    ASSERT_TRUE(rows[1].m_bDelta);
    EXPECT_NEAR(rows[1].m_dDeltaX, 0.010, 1e-12);
    EXPECT_NEAR(rows[1].m_dDeltaY, 20.0, 1e-12);
    EXPECT_NEAR(rows[1].m_dInverseDeltaX, 100.0, 1e-9);  // a 10 ms period: 100 Hz
    // Two markers on one sample: no frequency.
    EXPECT_TRUE(std::isnan(rows[2].m_dInverseDeltaX));
    EXPECT_EQ(rows[2].m_nNumber, 3);
}

// ---------------------------------------------------------------------------
// Peak search

TEST(PlotMarkers, PeakSearchOrder) {
    //                               0  1  2  3  4  5  6  7  8     9  10
    const std::vector<double> v = {0, 5, 1, 7, 7, 2, 9, 3, kNaN, 6, 4};
    auto y = Values(v);
    const int32_t last = static_cast<int32_t>(v.size()) - 1;
    EXPECT_EQ(CPlotMarkers::HighestPeak(y, 0, 0, last), 6);
    // Right and left in turn; a run of equal values is a peak at its start,
    // a gap parts the trace.
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, 6, 1), 9);
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, 9, 1), std::nullopt);
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, 6, -1), 3);
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, 3, -1), 1);
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, 1, -1), std::nullopt);
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, 3, 1), 6);
    // From outside the range.
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, -1, 1), 1);
    EXPECT_EQ(CPlotMarkers::NextPeak(y, 0, 0, last, last + 1, -1), 9);
    // Next lower: 9, 7, 6, 5, then none.
    EXPECT_EQ(CPlotMarkers::NextLowerPeak(y, 0, 0, last, 6), 3);
    EXPECT_EQ(CPlotMarkers::NextLowerPeak(y, 0, 0, last, 3), 9);
    EXPECT_EQ(CPlotMarkers::NextLowerPeak(y, 0, 0, last, 9), 1);
    EXPECT_EQ(CPlotMarkers::NextLowerPeak(y, 0, 0, last, 1), std::nullopt);
    // Within a part of the data only.
    EXPECT_EQ(CPlotMarkers::HighestPeak(y, 0, 0, 5), 3);
    // The ends count when above their neighbour; a flat trace has no peak.
    const std::vector<double> ends = {3, 1, 2};
    EXPECT_EQ(CPlotMarkers::NextPeak(Values(ends), 0, 0, 2, -1, 1), 0);
    EXPECT_EQ(CPlotMarkers::NextPeak(Values(ends), 0, 0, 2, 0, 1), 2);
    const std::vector<double> flat = {1, 1, 1};
    EXPECT_EQ(CPlotMarkers::NextPeak(Values(flat), 0, 0, 2, -1, 1), std::nullopt);
    const std::vector<double> gaps = {kNaN, kNaN};
    EXPECT_EQ(CPlotMarkers::HighestPeak(Values(gaps), 0, 0, 1), std::nullopt);
}

// ---------------------------------------------------------------------------
// Markers of a graph

double Sine(int i) { return std::sin(i * 0.05) + 0.001 * i; }
double Cosine(int i) { return std::cos(i * 0.05); }

TEST(GraphMarkers, MarkersReportTheValuesOfTheSamplesTheySitOn) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine, Cosine);
    f.graph.Attach(f.data, 3, 0);  // I and Q
    f.Paint();
    ASSERT_TRUE(f.graph.PlaceMarker(100, 0));
    ASSERT_TRUE(f.graph.PlaceMarker(400, 1));
    EXPECT_FALSE(f.graph.PlaceMarker(1000, 0));
    std::vector<CPlotMarkers::CRow> rows = f.graph.MarkerRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_DOUBLE_EQ(rows[0].m_dY, Sine(100));
    EXPECT_DOUBLE_EQ(rows[0].m_dX, f.data.IndexToValue(100));
    EXPECT_DOUBLE_EQ(rows[1].m_dY, Cosine(400));
    EXPECT_EQ(rows[1].m_nSample, 400);

    // Another type reads the same samples its own way.
    f.graph.SetType(PLOT_MAGNITUDE);
    f.Paint();
    rows = f.graph.MarkerRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].m_nTrace, 0);
    EXPECT_NEAR(rows[1].m_dY, std::hypot(Sine(400), Cosine(400)), 1e-12);
    f.graph.SetType(PLOT_PHASE);
    f.Paint();
    EXPECT_NEAR(f.graph.MarkerRows()[0].m_dY, std::atan2(Cosine(100), Sine(100)) * 180.0 / M_PI, 1e-9);
}

TEST(GraphMarkers, ACtrlClickOnAReducedTraceSnapsToASampleOfItsColumn) {
    CGraphFixture f;
    const int n = 200000;
    test::MakeTimeData(f.data, n, 1.0e6, [](int i) { return std::sin(i * 0.01); });
    f.graph.Attach(f.data, 1, 1);
    f.Paint();
    ASSERT_LT(f.graph.m_XColumn.GetSize(), n);  // reduced
    // Near the top and near the bottom of the same column.
    for (double fy : {0.97, 0.03}) {
        f.graph.Markers().Clear();
        const CPoint p = f.At(0.5, fy);
        ASSERT_TRUE(f.graph.PlaceMarkerAt(p));
        const CPlotMarkers::CRow row = f.graph.MarkerRows().at(0);
        EXPECT_DOUBLE_EQ(row.m_dY, f.data.Inphase()[row.m_nSample]);
        // The sample lies in the clicked column, drawn near the pointer.
        EXPECT_LE(std::abs(f.graph.XToPixel(row.m_dX) - p.x), 1);
        EXPECT_LE(std::abs(f.graph.YToPixel(row.m_dY) - p.y), f.graph.m_nPlotHeight / 10);
    }
}

TEST(GraphMarkers, PeakSearchWalksTheTonesOfASpectrum) {
    CGraphFixture f;
    // Tones at bins 100, 300 and 700 of 1024, the middle one highest.
    test::MakeFreqData(f.data, 2048, 2048.0, [](int k) {
        return k == 100 ? 0.5 : k == 300 ? 1.0 : k == 700 ? 0.25 : 1e-4 * (1 + k % 3);
    });
    f.graph.Attach(f.data, 4, 0);  // magnitude
    f.Paint();
    ASSERT_TRUE(f.Enabled(ID_MARKER_PEAK_HIGHEST));
    EXPECT_FALSE(f.Enabled(ID_MARKER_PEAK_LOWER));  // no marker yet
    f.graph.OnCommand(ID_MARKER_PEAK_HIGHEST);
    ASSERT_EQ(f.graph.Markers().Count(), 1);
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 300);
    EXPECT_DOUBLE_EQ(f.graph.MarkerRows()[0].m_dY, f.data.ToDb(1.0, true));
    f.graph.OnCommand(ID_MARKER_PEAK_LOWER);
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 100);
    f.graph.OnCommand(ID_MARKER_PEAK_LOWER);
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 700);
    // The small ripple has its own peaks: the next right of 300 is a ripple
    // peak just beyond it, the highest to its left within the ripple.
    f.graph.OnCommand(ID_MARKER_PEAK_HIGHEST);
    f.graph.OnCommand(ID_MARKER_PEAK_RIGHT);
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 302);  // 2e-4 at 301, 3e-4 at 302, 1e-4 at 303
    EXPECT_EQ(f.graph.Markers().Count(), 1);  // searches move the active marker
    // Only the view is searched.
    f.graph.ShowRanges(f.data.IndexToValue(500), f.data.IndexToValue(900), 0, 0, true, false);
    f.Paint();
    f.graph.OnCommand(ID_MARKER_PEAK_HIGHEST);
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 700);
}

TEST(GraphMarkers, MarkersSurviveZoomAndRefreshWhileTheirSampleExists) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine);
    f.graph.Attach(f.data, 1, 0);
    f.Paint();
    f.graph.PlaceMarker(100, 0);
    f.graph.PlaceMarker(900, 0);
    f.graph.OnCommand(ID_VIEW_ZOOM_IN_CENTRE);
    f.Paint();
    f.graph.OnCommand(ID_ZOOM_TOP);
    f.Paint();
    EXPECT_EQ(f.graph.Markers().Count(), 2);
    // The data shrinks to 500 samples: the marker at 900 goes.
    test::MakeTimeData(f.data, 500, 1000.0, Cosine);
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED, &f.data);
    f.Paint();
    ASSERT_EQ(f.graph.Markers().Count(), 1);
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 100);
    EXPECT_DOUBLE_EQ(f.graph.MarkerRows()[0].m_dY, Cosine(100));
    // A histogram shows other data: the markers go.
    f.graph.ToggleHistogram();
    EXPECT_TRUE(f.graph.Markers().IsEmpty());
}

TEST(GraphMarkers, MarkersAreDrawnWhereTheirSampleIsAndTheTableWhenAsked) {
    CGraphFixture f;
    test::MakeTimeData(f.data, 1000, 1000.0, Sine);
    f.graph.Attach(f.data, 1, 1);
    f.Paint();
    f.graph.PlaceMarker(250, 0);
    test::CRecordingSurface& dc = f.Paint();
    const int x = f.graph.XToPixel(f.data.IndexToValue(250));
    const int y = f.graph.YToPixel(Sine(250));
    bool tip = false;
    for (const auto& l : dc.LinesInColor(f.graph.Colors().m_marker))
        if (std::abs(l.y1 - (y - 2)) <= 1 && l.x1 <= x && l.x2 >= x) tip = true;
    EXPECT_TRUE(tip);
    bool label = false;
    for (const auto& t : dc.Texts()) label = label || (t.text == "1" && t.x1 == x && t.y1 < y);
    EXPECT_TRUE(label);
    // The table: the marker's values as text in the picture.
    f.graph.m_bMarkerTable = 1;
    f.graph.Markers().ToggleReference(0);
    f.graph.PlaceMarker(260, 0);
    const std::vector<std::vector<std::string>> table = f.graph.MarkerTableText();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].size(), 7u);  // with the differences
    EXPECT_EQ(table[2][3], "260");
    test::CRecordingSurface& withTable = f.Paint();
    int found = 0;
    for (const auto& t : withTable.Texts())
        if (t.text == table[2][6] || t.text == table[1][1]) ++found;
    EXPECT_GE(found, 2);
}

TEST(GraphMarkers, TheProjectFileStaysByteIdentical) {
    auto store = [](CKalvoraDoc& doc) {
        CMemFile file;
        CArchive ar(file, CArchive::Mode::Store);
        doc.Serialize(ar);
        ar.Close();
        return std::vector<uint8_t>(file.Data(), file.Data() + file.GetLength());
    };
    test::CScriptedPlatform p;
    auto doc = std::make_unique<CKalvoraDoc>();
    CGraph graph;
    doc->AddView(graph);
    test::MakeTimeData(doc->m_TimeData, 300, 1000.0, Sine);
    doc->OpenPlot(1, false, doc->m_TimeData);
    test::CRecordingSurface dc(500, 400);
    graph.Paint(dc);
    const std::vector<uint8_t> before = store(*doc);
    const bool modified = doc->IsModified();
    graph.OnCommand(ID_MARKER_PEAK_HIGHEST);
    graph.OnCommand(ID_MARKER_ADD);
    graph.OnCommand(ID_MARKER_REFERENCE);
    ASSERT_EQ(graph.Markers().Count(), 2);
    test::CRecordingSurface again(500, 400);
    graph.Paint(again);
    EXPECT_EQ(store(*doc), before);
    EXPECT_EQ(doc->IsModified(), modified);
    doc->RemoveView(graph);
}

TEST(GraphMarkers, ThePlotMenuHasTheMarkerCommands) {
    const CMenuItem menu = PlotMenu();
    const CMenuItem* markers = nullptr;
    for (const CMenuItem& item : menu.m_items)
        if (item.IsPopup() && item.m_strText == "Mar&kers") markers = &item;
    ASSERT_NE(markers, nullptr);
    std::vector<int> ids;
    for (const CMenuItem& item : markers->m_items)
        if (!item.IsSeparator()) ids.push_back(item.m_nId);
    EXPECT_EQ(ids, (std::vector<int>{ID_MARKER_ADD, ID_MARKER_PEAK_HIGHEST, ID_MARKER_PEAK_LEFT, ID_MARKER_PEAK_RIGHT,
                                     ID_MARKER_PEAK_LOWER, ID_MARKER_NEXT, ID_MARKER_REFERENCE, ID_MARKER_REMOVE,
                                     ID_MARKER_CLEAR, ID_MARKER_TABLE}));
    // Without a window to show it in, the table is disabled.
    CGraphFixture f;
    test::MakeTimeData(f.data, 100, 1000.0, Sine);
    f.graph.Attach(f.data, 1, 0);
    EXPECT_FALSE(f.Enabled(ID_MARKER_TABLE));
    EXPECT_FALSE(f.Enabled(ID_MARKER_REMOVE));
    f.graph.OnCommand(ID_MARKER_ADD);
    EXPECT_TRUE(f.Enabled(ID_MARKER_REMOVE));
    EXPECT_EQ(f.graph.Markers().At(0).m_nSample, 49);
}

}  // namespace
}  // namespace kv
