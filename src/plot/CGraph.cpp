#include "plot/CGraph.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <tuple>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "analysis/Histogram.h"
#include "data/CKalvoData.h"
#include "data/CTitles.h"
#include "formats/FormatHelpers.h"
#include "platform/CPlatform.h"
#include "platform/CSerDoc.h"
#include "platform/IDrawSurface.h"
#include "platform/StringTable.h"
#include "plot/CGraphOptions.h"
#include "plot/CGroupSummary.h"
#include "plot/PlotCommands.h"

namespace kv {

namespace {

constexpr int kNoSample = INT_MIN;

// The status text of a peak search that found nothing.
constexpr const char* kNoPeakText = "No peak found";

// The sample of the last point readout, shared by all graphs.
int g_nLastReadoutSample = kNoSample;

// Minimum and maximum of the finite values of a component.
struct CRangeOf {
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    bool any = false;
    void Add(double v) {
        if (!std::isfinite(v)) return;
        if (v < lo) lo = v;
        if (v > hi) hi = v;
        any = lo <= hi;
    }
};

// The range of the finite values of a component over working-range
// indices first ... last.
CRangeOf ComponentRange(const CEnvelopeSource& source, const CKalvoData& d, int a, int32_t first, int32_t last) {
    CRangeOf range;
    CGroupSummary s = source.Summarise(d, a, first, last, false);
    if (s.HasValues()) {
        range.lo = s.m_dMin;
        range.hi = s.m_dMax;
        range.any = true;
    } else {
        range.lo = range.hi = 0.0;
    }
    return range;
}

}  // namespace

CGraph::CGraph() {
    m_nContextMenu = IDR_GRAPH_CONTEXT_MENU;
}

CGraph::~CGraph() {
    if (CSerDoc* doc = GetDocument()) doc->RemoveView(*this);
}

// ---------------------------------------------------------------------------
// Notifications

void CGraph::ResetGraph() {
    m_nType = PLOT_NONE;
    m_bRefreshOnResize = 1;
    m_bDb = 1;
    m_bSumMode = 1;
    m_bIntegerReduction = 0;
    m_bDataReal = 1;
    m_nSamplesPerPoint = 0;
    m_dReductionRatio = 0.0;
    m_bHistogram = 0;
    m_bHistogramTitlesPending = 0;
    m_Histogram = CHistogramData();
    m_pSource = nullptr;
    m_pShown = nullptr;
    // The title store and the zoom levels belong to the data that is gone.
    m_pTitles = nullptr;
    m_ZoomList.RemoveAll();
    if (!m_Markers.IsEmpty()) {
        m_Markers.Clear();
        if (m_OnMarkersChanged) m_OnMarkersChanged();
    }
}

void CGraph::OnUpdate(CView*, int hint, CObject* object) {
    if (GetDocument()) m_bFromDocument = true;
    const int c = ((hint % 16) + 16) % 16;
    if (c == 8) ResetGraph();
    CKalvoData* data = dynamic_cast<CKalvoData*>(object);
    if (!m_pSource && c == 1 && data) {
        m_pSource = data;
        m_bDataReal = data->IsReal() ? 1 : 0;
        m_bLegend = 1;
        m_bDb = data->IsTime() ? 0 : 1;
    }
    if (data && data == m_pSource) {
        if (!m_pTitles || c == 5) {
            m_pTitles = &data->m_Format.m_Titles;
            m_strMainTitle = data->m_strName;
        }
        if (c == 5) {
            m_Overview.Invalidate();
            int real = data->IsReal() ? 1 : 0;
            if (real != m_bDataReal && data->IsTime()) {
                if (real)
                    m_nType = PLOT_INPHASE;
                else if (m_nType == PLOT_INPHASE)
                    m_nType = PLOT_I_AND_Q;
            }
            m_bDataReal = real;
            RecomputeHistogram();
            KeepMarkers();
            if (hint & HINT_RESET_ZOOM) {
                ResetZoom();
            } else if (!m_ZoomList.IsEmpty() && HasData()) {
                // Widen the top level to the whole of the new data.
                CKalvoData* shown = ShownData();
                int32_t start = shown->m_nStart;
                int32_t stop = shown->m_nStop;
                int32_t polar = m_bPolar;
                shown->ResetRange();
                double x0, x1, y0, y1;
                DataRanges(*shown, x0, x1, y0, y1);
                shown->m_nStart = start;
                shown->m_nStop = stop;
                m_bPolar = polar;
                WidenTopLevel(x0, x1, y0, y1);
            }
        } else {
            if (m_nType == PLOT_NONE) {
                int typeCode = (hint / 16) % 16;
                int styleCode = (hint / 4096) % 16;
                if (typeCode >= 1 && typeCode <= 6)
                    m_nType = typeCode - 1;
                else if (data->IsReal())
                    m_nType = PLOT_INPHASE;
                else
                    m_nType = data->IsTime() ? PLOT_I_AND_Q : PLOT_MAGNITUDE;
                // The preference "Histogram" shows the default type as a histogram.
                if (typeCode == 7 && !m_bHistogram) {
                    m_bHistogram = 1;
                    m_bHistogramTitlesPending = 1;
                    RecomputeHistogram();
                }
                m_nStyle = (styleCode >= 1 && styleCode <= 7) ? styleCode : STYLE_AUTO;
            }
            m_bBaseAtZero = data->IsTime() ? 1 : 0;
        }
    }
    ClearPlotData();
    Invalidate();
}

void CGraph::Attach(CKalvoData& data, int typeCode, int styleCode) {
    OnUpdate(nullptr, HINT_PLOT_OPENED + 16 * typeCode + 4096 * styleCode, &data);
}

// ---------------------------------------------------------------------------
// Plot operations

int CGraph::TraceType() const {
    // A histogram holds counts: its magnitude and phase types show the
    // counts themselves, not the magnitude or phase of a count.
    if (IsHistogramShown() && (m_nType == PLOT_MAGNITUDE || m_nType == PLOT_PHASE)) return PLOT_INPHASE;
    return m_nType;
}

bool CGraph::HasData() const {
    if (!m_pSource) return false;
    // A graph whose document has gone has nothing left to show.
    if (m_bFromDocument && !GetDocument()) return false;
    return m_pSource->GetCount() > 0;
}

CKalvoData* CGraph::ShownData() {
    if (!m_pSource) return nullptr;
    return IsHistogramShown() ? &m_Histogram : m_pSource;
}

int CGraph::GetTraceCount() const { return (m_nType == PLOT_I_AND_Q || m_nType == PLOT_POLAR) ? 2 : 1; }

int CGraph::GetAutoStyle() const {
    if (IsHistogramShown()) return STYLE_BAR;
    if (!m_pSource) return STYLE_LINE;
    if (m_pSource->IsTime()) {
        int64_t span = static_cast<int64_t>(m_pSource->m_nStop) - m_pSource->m_nStart + 1;
        return span > 256 ? STYLE_LINE : STYLE_LINE_AND_DOT;
    }
    return STYLE_VERTICAL_LINE;
}

double CGraph::Magnitude(double power) const {
    if (m_bDb && m_pSource) return m_pSource->ToDb(power, true);
    return std::sqrt(power);
}

void CGraph::DataRanges(const CKalvoData& data, double& xMin, double& xMax, double& yMin, double& yMax) {
    xMin = xMax = yMin = yMax = 0.0;
    int32_t first, last;
    if (!data.StoredWorkingRange(first, last)) return;
    xMin = data.IndexToValue(first);
    xMax = data.IndexToValue(last);
    CRangeOf y;
    switch (TraceType()) {
        case PLOT_QUADRATURE: y = ComponentRange(Envelope(), data, 1, first, last); break;
        case PLOT_I_AND_Q: {
            y = ComponentRange(Envelope(), data, 0, first, last);
            CRangeOf q = ComponentRange(Envelope(), data, 1, first, last);
            if (!y.any) {
                y = q;
            } else if (q.any) {
                y.Add(q.lo);
                y.Add(q.hi);
            }
            break;
        }
        case PLOT_MAGNITUDE:
            y = ComponentRange(Envelope(), data, 2, first, last);
            y.lo = Magnitude(y.lo);
            y.hi = Magnitude(y.hi);
            break;
        case PLOT_PHASE: y = ComponentRange(Envelope(), data, 3, first, last); break;
        case PLOT_POLAR: {
            m_bPolar = 1;
            CRangeOf i = ComponentRange(Envelope(), data, 0, first, last);
            y = ComponentRange(Envelope(), data, 1, first, last);
            xMin = i.lo;
            xMax = i.hi;
            // Equal spans, so that one unit measures the same on both axes.
            double dx = xMax - xMin;
            double dy = y.hi - y.lo;
            if (dx > dy)
                y.hi = y.lo + dx;
            else
                xMax = xMin + dy;
            break;
        }
        default: y = ComponentRange(Envelope(), data, 0, first, last); break;
    }
    yMin = y.lo;
    yMax = y.hi;
    // Counts start at zero.
    if (&data == &m_Histogram) yMin = std::min(yMin, 0.0);
}

void CGraph::ComputeRanges() {
    if (!HasData()) return;
    if (m_nType == PLOT_NONE) m_nType = m_pSource->IsReal() ? PLOT_INPHASE : PLOT_I_AND_Q;
    m_bPolar = 0;
    m_pShown = ShownData();
    double xMin, xMax, yMin, yMax;
    DataRanges(*m_pShown, xMin, xMax, yMin, yMax);
    if (m_bXLog && xMin <= 0) {
        double d = PowerOfTenFloor(m_pShown->IndexToValue(1) * 0.5);
        if (!(d > 0) || !std::isfinite(d)) d = xMax > 0 ? xMax / 1000.0 : 1.0;
        xMin = xMax < 10.0 * d ? xMax / 10.0 : d;
        m_bResetScaling = 1;
    }
    SetDataRanges(xMin, xMax, yMin, yMax);
}

void CGraph::UpdateLegend() {
    int traces = m_Traces.GetColumnCount();
    for (int n = 0; n < traces; ++n) {
        CDataColumn& t = Trace(n);
        t.m_strName.clear();
        t.m_nTag2 = 0;
        SetTraceColor(t, m_Colors.m_inphase);
    }
    if (m_nType == PLOT_QUADRATURE && traces >= 1) SetTraceColor(Trace(0), m_Colors.m_quadrature);
    if (m_nType == PLOT_I_AND_Q && traces >= 2) {
        Trace(0).m_strName = LoadString(IDS_PLOT_TRACE_I);
        Trace(1).m_strName = LoadString(IDS_PLOT_TRACE_Q);
        SetTraceColor(Trace(1), m_Colors.m_quadrature);
    }
}

void CGraph::AfterDraw(IDrawSurface& dc) {
    CShareAppPlot::AfterDraw(dc);
    ShowDoneStatus(ZoomStatusText());
}

void CGraph::ResetZoom() {
    if (CKalvoData* shown = ShownData()) shown->ResetRange();
    m_ZoomList.RemoveAll();
    m_bResetScaling = 1;
}

bool CGraph::SetXRange(double min, double max, bool strict) {
    CKalvoData* shown = ShownData();
    return shown && shown->SetRangeByValue(strict, min, max);
}

void CGraph::GetViewXRange(double& min, double& max) const {
    const CKalvoData* shown = m_pShown ? m_pShown : (IsHistogramShown() ? nullptr : m_pSource);
    if (m_nType == PLOT_POLAR || !shown || shown->GetCount() < 2) {
        CShareAppPlot::GetViewXRange(min, max);
        return;
    }
    std::tie(min, max) = shown->GetRangeValues();
    if (!(max > min)) CShareAppPlot::GetViewXRange(min, max);
}

// ---------------------------------------------------------------------------
// Titles

int CGraph::GetTitlePower(int power) {
    if (!m_pSource) return power;
    const CKalvoData& src = *m_pSource;
    CTitles local;
    CTitles& store = m_pTitles ? *m_pTitles : local;
    if (!m_pTitles) {
        store.m_strMain = m_strMainTitle;
        store.m_strX = m_strXTitle;
        store.m_strY = m_strYTitle;
    }
    if (m_bAutoTitles) {
        if (m_nType == PLOT_POLAR) {
            store.m_strX = LoadString(IDS_PLOT_TITLE_INPHASE);
            store.m_strY = LoadString(IDS_PLOT_TITLE_QUADRATURE);
        } else {
            std::string x = LoadString(src.IsTime() ? IDS_PLOT_TITLE_TIME : IDS_PLOT_TITLE_FREQUENCY);
            // A histogram's X axis holds values, not times or frequencies:
            // its power of ten stays in the labels and the title suffix.
            if (!IsHistogramShown()) {
                std::string unit = src.GetScaledUnitName(power);
                if (!unit.empty()) x = FormatString(IDS_PLOT_TITLE_IN_UNIT, x, unit);
            }
            store.m_strX = x;
            switch (m_nType) {
                case PLOT_INPHASE: store.m_strY = LoadString(IDS_PLOT_TITLE_INPHASE_AMPLITUDE); break;
                case PLOT_QUADRATURE: store.m_strY = LoadString(IDS_PLOT_TITLE_QUADRATURE_AMPLITUDE); break;
                case PLOT_I_AND_Q: store.m_strY = LoadString(IDS_PLOT_TITLE_I_AND_Q); break;
                case PLOT_MAGNITUDE:
                    // The title names what is drawn: the root of the power
                    // is a magnitude, the power in decibels is a power (a
                    // histogram counts magnitudes).
                    if (src.IsTime() || !m_bDb || IsHistogramShown())
                        store.m_strY = LoadString(IDS_PLOT_TITLE_MAGNITUDE);
                    else
                        store.m_strY =
                            FormatString(IDS_PLOT_TITLE_IN_UNIT, LoadString(IDS_PLOT_TITLE_POWER), src.m_strDbLabel);
                    break;
                case PLOT_PHASE: store.m_strY = LoadString(IDS_PLOT_TITLE_PHASE); break;
                default: store.m_strY = LoadString(IDS_PLOT_TITLE_AMPLITUDE); break;
            }
        }
        store.m_strMain = src.m_strName;
        if (IsHistogramShown()) m_bHistogramTitlesPending = 1;
    }
    if (m_bHistogramTitlesPending) {
        store.m_strX = store.m_strY;
        store.m_strY = LoadString(IDS_PLOT_TITLE_NUMBER_OF_SAMPLES);
        store.m_strMain = LoadString(IDS_PLOT_TITLE_HISTOGRAM_OF) + store.m_strMain;
        m_bHistogramTitlesPending = 0;
    }
    m_strMainTitle = store.m_strMain;
    m_strXTitle = store.m_strX;
    m_strYTitle = store.m_strY;
    // Without a rebuild the titles keep what the last rebuild added to them
    // (the power of ten and the reduction note).
    if (m_XColumn.GetSize() > 0) {
        m_strXTitle += m_strXDecoration;
        m_strYTitle += m_strYDecoration;
    }
    return power;
}

// ---------------------------------------------------------------------------
// Data reduction

void CGraph::SetUpReduction(int& pointsWanted) {
    m_nSamplesPerPoint = 0;
    m_dReductionRatio = 0.0;
    const CKalvoData* d = m_pShown;
    if (!d) return;
    int32_t first = 0, last = -1;
    int64_t b = d->StoredWorkingRange(first, last) ? static_cast<int64_t>(last) - first + 1 : 0;

    m_bPointCloud = 0;
    if (m_nType == PLOT_POLAR) {
        // A polar plot draws points where the signal is, not along an axis of
        // sample positions: up to 4096 samples each as a point in the trace
        // style, more as the cloud of the pixels they fall on.
        m_nSamplesPerPoint = 1;
        m_bPointCloud = b > kMaxPolarPoints ? 1 : 0;
        return;
    }
    if (m_bXLog) {
        if (!m_bIntegerReduction) return;
        double lo = std::log10(m_dXMin);
        double v = m_dXMin * std::pow(10.0, 0.4 * (std::log10(m_dXMax) - lo));
        double e = PixelToX(XToPixel(v) + 1);
        m_nSamplesPerPoint = std::max(1, d->ValueToIndex(e) - d->ValueToIndex(v));
        return;
    }
    int w = std::max(1, pointsWanted);
    if (b <= w) {
        m_nSamplesPerPoint = 1;
        return;
    }
    double c = (m_dXMax - m_dXMin) / (d->IndexToValue(1) - d->IndexToValue(0));
    if (!(c > 0) || !std::isfinite(c)) c = static_cast<double>(b - 1);
    if (m_bIntegerReduction) {
        double k = std::ceil(c / w);
        double e = std::max(1.0, std::trunc(c / k + 0.5));
        pointsWanted = static_cast<int>(std::min<double>(e, w));
        m_nSamplesPerPoint = static_cast<int32_t>(std::min<double>(std::ceil(c / e), INT_MAX / 2));
    } else {
        double m = std::ceil(4.0 * c / w) * 0.25;
        if (m > 5) m = std::ceil(m);
        double f = std::max(1.0, std::trunc(c / m + 0.5));
        pointsWanted = static_cast<int>(std::min<double>(f, w));
        m_dReductionRatio = c / f;
    }
}

void CGraph::NoteReduction() {
    if (!m_bAutoTitles || !m_pShown || m_bPointCloud) return;
    const CKalvoData& d = *m_pShown;
    const double q = m_dReductionRatio;
    const int32_t n = m_nSamplesPerPoint;
    std::string title = m_strXTitle;
    if (d.IsTime()) {
        if (q > 0)
            title += FormatPrintf(IDS_PLOT_NOTE_RATIO, q);
        else if (n > 1)
            title += FormatPrintf(IDS_PLOT_NOTE_GROUP, static_cast<int>(n));
    } else {
        if (q > 0)
            title += FormatPrintf(IDS_PLOT_NOTE_RATIO, q);
        else if (n > 0)
            title += LoadString(IDS_PLOT_NOTE_LINE_SPACING) + FormatEngineering(d.IndexToValue(n), 3, true);
        else
            title += LoadString(IDS_PLOT_NOTE_VARIABLE_SPACING);
    }
    if (q > 0 || n > 1)
        title += LoadString(m_bSumMode && !d.IsTime() ? IDS_PLOT_NOTE_SUM_MODE : IDS_PLOT_NOTE_PEAK_MODE);
    if (title.find('(') != std::string::npos) title += LoadString(IDS_PLOT_NOTE_CLOSE);
    if (m_pTitles) m_pTitles->m_strX = title;
    m_strXTitle = title;
}

void CGraph::ComputeGroupStarts(const CKalvoData& d, int32_t first, int32_t last) {
    std::vector<int32_t>& starts = m_GroupStarts;
    starts.clear();
    if (first > last) return;
    const int32_t n = m_nSamplesPerPoint;
    // The column of the last sample asked for is kept: the end of one group
    // is probed just before the next group starts there.
    int32_t keptIndex = 0;
    int keptPixel = 0;
    bool kept = false;
    auto pixel = [&](int32_t i) {
        if (!kept || i != keptIndex) {
            keptPixel = XToPixel(d.IndexToValue(i));
            keptIndex = i;
            kept = true;
        }
        return keptPixel;
    };
    // The last index from s on whose sample lies in pixel column p (the
    // pixel of a sample never falls as its index rises). A column holds few
    // samples next to the whole range: steps that double from s find its end
    // first, then halving narrows it down.
    auto columnEnd = [&](int32_t s, int p) {
        int32_t lo = s, hi = last;
        for (int64_t step = 1; step < static_cast<int64_t>(hi) - lo; step *= 2) {
            const int32_t probe = static_cast<int32_t>(lo + step);
            if (pixel(probe) > p) {
                hi = probe - 1;
                break;
            }
            lo = probe;
        }
        while (lo < hi) {
            int32_t mid = lo + static_cast<int32_t>((static_cast<int64_t>(hi) - lo + 1) / 2);
            if (pixel(mid) <= p)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    };
    for (int32_t s = first; s <= last;) {
        starts.push_back(s);
        int32_t e;
        if (n > 0) {
            // A fixed group of n samples, which takes in the rest of the
            // pixel column of its first sample (but the first group does not).
            e = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(s) + n - 1, last));
            if (s != first && e < last) e = std::max(e, columnEnd(e, pixel(s)));
        } else {
            e = columnEnd(s, pixel(s));
        }
        if (e >= last) break;
        s = e + 1;
    }
    starts.push_back(static_cast<int32_t>(last) + 1);
}

const CEnvelopeSource& CGraph::Envelope() const {
    return m_pEnvelopeSource ? *m_pEnvelopeSource : m_Overview;
}

void CGraph::ReduceTrace(int a, CDataColumn& column) {
    const CKalvoData* d = m_pShown;
    if (!d) return;
    int32_t first, last;
    if (!d->StoredWorkingRange(first, last)) return;
    const bool fillX = m_XColumn.GetSize() == 0;
    if (fillX || m_GroupStarts.size() < 2) ComputeGroupStarts(*d, first, last);
    int trace = -1;
    for (int t = 0; t < m_Traces.GetColumnCount(); ++t)
        if (&Trace(t) == &column) trace = t;
    std::vector<double>* lows = nullptr;
    std::vector<double>* highs = nullptr;
    if (trace >= 0) {
        if (static_cast<int>(m_TraceLow.size()) <= trace) m_TraceLow.resize(trace + 1);
        if (static_cast<int>(m_TraceHigh.size()) <= trace) m_TraceHigh.resize(trace + 1);
        lows = &m_TraceLow[trace];
        highs = &m_TraceHigh[trace];
        lows->clear();
        highs->clear();
    }
    if (fillX) {
        m_PointCounts.clear();
        m_PointFirst.clear();
    }

    const CEnvelopeSource& source = Envelope();
    const bool sumMode = m_bSumMode && !d->IsTime() && a == 2;
    const bool valueIsSize = a == 2 || m_nType == PLOT_MAGNITUDE;
    const bool toMagnitude = a == 2;
    const int32_t n = m_nSamplesPerPoint;
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    auto plotted = [&](double v) { return toMagnitude ? Magnitude(v) : v; };

    // One point per group: the columns take their length at once.
    const int32_t groups = m_GroupStarts.size() > 1 ? static_cast<int32_t>(m_GroupStarts.size() - 1) : 0;
    const int32_t traceBase = column.GetSize();
    column.SetSize(traceBase + groups);
    double* const values = column.GetWritableData() + traceBase;
    double* xs = nullptr;
    if (fillX) {
        const int32_t xBase = m_XColumn.GetSize();
        m_XColumn.SetSize(xBase + groups);
        xs = m_XColumn.GetWritableData() + xBase;
        m_PointCounts.reserve(groups);
        m_PointFirst.reserve(groups);
    }
    if (lows) {
        lows->reserve(groups);
        highs->reserve(groups);
    }

    for (size_t g = 0; g + 1 < m_GroupStarts.size(); ++g) {
        const int32_t s = m_GroupStarts[g];
        const int32_t e = m_GroupStarts[g + 1] - 1;
        CGroupSummary sum = source.Summarise(*d, a, s, e, sumMode);
        double value = nan, lo = nan, hi = nan, x = d->IndexToValue(s);
        if (sum.HasValues()) {
            const int32_t peak = sum.PeakIndex(valueIsSize);
            x = d->IndexToValue(peak);
            lo = plotted(sum.m_dMin);
            hi = plotted(sum.m_dMax);
            if (!sumMode) {
                value = plotted(sum.PeakValue(valueIsSize));
            } else if (n > 0 && static_cast<int64_t>(e) - s + 1 > n) {
                // A fixed group that took in the rest of its pixel column:
                // the sums of its blocks of n lines (a short last block joins
                // the one before), drawn as the span of those sums.
                double smallest = HUGE_VAL, largest = -HUGE_VAL;
                for (int32_t b = s; b <= e;) {
                    int32_t be = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(b) + n - 1, e));
                    if (static_cast<int64_t>(e) - be < n) be = e;
                    double blockSum = source.Summarise(*d, a, b, be, true).m_dSum;
                    smallest = std::min(smallest, blockSum);
                    largest = std::max(largest, blockSum);
                    b = be + 1;
                }
                value = plotted(largest);
                lo = plotted(smallest);
                hi = value;
            } else {
                value = lo = hi = plotted(sum.m_dSum);
            }
        }
        values[g] = value;
        if (lows) {
            lows->push_back(lo);
            highs->push_back(hi);
        }
        if (fillX) {
            xs[g] = x;
            m_PointCounts.push_back(static_cast<int32_t>(sum.m_nCount));
            m_PointFirst.push_back(s);
        }
    }
}

void CGraph::ReducePolar() {
    const CKalvoData* d = m_pShown;
    if (!d || m_Traces.GetColumnCount() < 2) return;
    int32_t first, last;
    if (!d->StoredWorkingRange(first, last)) return;
    const double* I = d->Inphase().GetData();
    const double* Q = d->Quadrature().GetData();
    const int32_t count = d->GetCount();
    CDataColumn& ti = Trace(0);
    CDataColumn& tq = Trace(1);
    m_XColumn.SetSize(0);
    m_PointCounts.clear();
    m_PointFirst.clear();
    if (!m_bPointCloud) {
        // Every sample is a point (one that is not finite is a gap); the
        // columns take their length at once.
        const int32_t points = last - first + 1;
        const int32_t iBase = ti.GetSize(), qBase = tq.GetSize();
        ti.SetSize(iBase + points);
        tq.SetSize(qBase + points);
        m_XColumn.SetSize(points);
        double* const pi = ti.GetWritableData() + iBase;
        double* const pq = tq.GetWritableData() + qBase;
        double* const px = m_XColumn.GetWritableData();
        m_PointCounts.assign(static_cast<size_t>(points), 1);
        m_PointFirst.resize(static_cast<size_t>(points));
        for (int32_t i = first; i <= last; ++i) {
            const int32_t k = i < 0 ? i + count : i;
            const int32_t p = i - first;
            const bool finite = std::isfinite(I[k]) && std::isfinite(Q[k]);
            pi[p] = finite ? I[k] : std::numeric_limits<double>::quiet_NaN();
            pq[p] = finite ? Q[k] : std::numeric_limits<double>::quiet_NaN();
            px[p] = d->IndexToValue(i);
            m_PointFirst[static_cast<size_t>(p)] = i;
        }
        return;
    }
    // A cloud: one point for each pixel of the plot that samples fall on,
    // the first sample there, in the order the signal reaches them; samples
    // outside the plot are not drawn.
    const int w = std::max(1, m_nPlotWidth) + 1;
    const int h = std::max(1, m_nPlotHeight) + 1;
    std::vector<int32_t> cell(static_cast<size_t>(w) * h, -1);
    const double xo = m_dXOrigin, xs = m_dXScale * m_nPlotWidth;
    const double yo = m_dYOrigin, ys = m_dYScale * m_nPlotHeight;
    auto run = [&](int32_t from, int32_t to, int32_t shift) {
        for (int32_t k = from; k <= to; ++k) {
            const double re = I[k], im = Q[k];
            // The pixel as XToPixel and YToPixel give it (truncated, and
            // rounded half away from zero), for values inside the plot.
            const double cx = (re - xo) * xs + 0.001;
            const double cy = (im - yo) * ys - 0.5;  // the row is its ceiling
            if (!(cx >= 0 && cx < w && cy > -1.0 && cy <= h - 1)) continue;  // outside, or not finite
            int row = static_cast<int>(cy);
            if (row < cy) ++row;
            const size_t at = static_cast<size_t>(row) * w + static_cast<size_t>(static_cast<int>(cx));
            int32_t& point = cell[at];
            if (point >= 0) {
                ++m_PointCounts[point];
                continue;
            }
            point = static_cast<int32_t>(m_PointCounts.size());
            ti.Append(re);
            tq.Append(im);
            m_PointCounts.push_back(1);
            m_PointFirst.push_back(k - shift);
        }
    };
    if (first < 0) run(first + count, std::min(last, -1) + count, count);
    if (last >= 0) run(std::max(first, 0), last, 0);
    for (int32_t i : m_PointFirst) m_XColumn.Append(d->IndexToValue(i));
}

void CGraph::BuildPlotData(int& pointsWanted) {
    if (!HasData() || !m_pShown) return;
    SetUpReduction(pointsWanted);
    NoteReduction();
    int traces = m_Traces.GetColumnCount();
    if (traces < 1) return;
    switch (TraceType()) {
        case PLOT_INPHASE: ReduceTrace(0, Trace(0)); break;
        case PLOT_QUADRATURE: ReduceTrace(1, Trace(0)); break;
        case PLOT_MAGNITUDE: ReduceTrace(2, Trace(0)); break;
        case PLOT_PHASE: ReduceTrace(3, Trace(0)); break;
        case PLOT_I_AND_Q:
            ReduceTrace(0, Trace(0));
            if (traces >= 2) ReduceTrace(1, Trace(1));
            break;
        case PLOT_POLAR: ReducePolar(); break;
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Readouts

int CGraph::FindNearestPoint(int px, int py, int& trace) {
    trace = 1;
    const double x = PixelToX(px);
    const double y = PixelToY(py);
    const double dx = m_dXMax - m_dXMin;
    const double dy = m_dYMax - m_dYMin;
    auto nearest = [&](const CDataColumn& xs, const CDataColumn& ys, double& best) {
        int count = std::min(xs.GetSize(), ys.GetSize());
        int index = 0;
        best = HUGE_VAL;
        for (int i = 0; i < count; ++i) {
            double a = (xs[i] - x) / dx;
            double b = (ys[i] - y) / dy;
            double d = a * a + b * b;
            if (d < best) {
                best = d;
                index = i;
                if (d == 0) break;
            }
        }
        return index;
    };
    int traces = m_Traces.GetColumnCount();
    if (traces < 1) return 0;
    if (m_nType == PLOT_I_AND_Q && traces >= 2) {
        double d1, d2;
        int i1 = nearest(m_XColumn, Trace(0), d1);
        int i2 = nearest(m_XColumn, Trace(1), d2);
        if (d1 < d2) return i1;
        trace = 2;
        return i2;
    }
    double d;
    if (m_nType == PLOT_POLAR && traces >= 2) return nearest(Trace(0), Trace(1), d);
    if (GetStyle() == STYLE_BAR) return nearest(m_XColumn, Trace(0), d);
    int index = 0;
    double best = HUGE_VAL;
    for (int i = 0; i < m_XColumn.GetSize(); ++i) {
        double e = std::fabs(m_XColumn[i] - x);
        if (e < best) {
            best = e;
            index = i;
        }
    }
    return index;
}

void CGraph::ShowPointInfo(int point) {
    CKalvoData* d = ShownData();
    if (!d || point < 0 || point >= m_XColumn.GetSize() || m_Traces.GetColumnCount() < 1 ||
        point >= Trace(0).GetSize())
        return;
    const int32_t n = d->ValueToIndex(m_XColumn[point]);
    auto eng = [](double v) { return FormatEngineering(v, 3, true); };
    std::string text;
    if (n == g_nLastReadoutSample) {
        g_nLastReadoutSample = kNoSample;
        double re = d->GetComponent(n, 0);
        double im = d->GetComponent(n, 1);
        double power = re * re + im * im;
        std::string magnitude;
        if (!d->IsTime() && m_bDb)
            magnitude = FormatEngineering(d->ToDb(power, true), 2, false) + " " + d->m_strDbLabel;
        else
            magnitude = FormatEngineering(std::sqrt(power), 2, false);
        text = FormatString(IDS_PLOT_READOUT_BIN, std::to_string(n), eng(re)) +
               FormatString(IDS_PLOT_READOUT_Q, eng(im)) + FormatString(IDS_PLOT_READOUT_MAG, magnitude) +
               FormatString(IDS_PLOT_READOUT_PHASE, eng(d->GetComponent(n, 3)));
    } else {
        g_nLastReadoutSample = n;
        text = FormatString(IDS_PLOT_READOUT_X, eng(m_XColumn[point]));
        if (m_Traces.GetColumnCount() >= 2 && point < Trace(1).GetSize())
            text += FormatString(IDS_PLOT_READOUT_Y1, eng(Trace(0)[point]), eng(Trace(1)[point]));
        else
            text += FormatString(IDS_PLOT_READOUT_Y, eng(Trace(0)[point]));
        // The x span the point covers: its number of samples times the
        // sample spacing.
        int32_t samples = point < static_cast<int>(m_PointCounts.size()) ? m_PointCounts[point] : 1;
        double width = samples * (d->IndexToValue(1) - d->IndexToValue(0));
        std::string widthText = eng(width);
        std::string unit = d == m_pSource ? d->GetUnitName() : std::string();
        if (!unit.empty()) widthText += " " + unit;
        text += FormatString(IDS_PLOT_READOUT_WIDTH, widthText);
        text += FormatString(IDS_PLOT_READOUT_MAX_BIN, std::to_string(n));
    }
    SetStatusText(text);
}

// ---------------------------------------------------------------------------
// Markers

const CKalvoData* CGraph::ShownConst() const {
    if (!m_pSource) return nullptr;
    return IsHistogramShown() ? &m_Histogram : m_pSource;
}

bool CGraph::FullIndexRange(int32_t& first, int32_t& last) const {
    const CKalvoData* d = ShownConst();
    if (!d) return false;
    // The range a full view shows.
    const int32_t count = d->Inphase().GetSize();
    if (count <= 0) return false;
    const int32_t half = count / 2;
    if (d->IsTime()) {
        first = 0;
        last = count - 1;
    } else {
        first = d->IsReal() ? 0 : -half;
        last = std::max(0, half - 1);
    }
    first = std::max(first, -count);
    last = std::min(last, count - 1);
    return first <= last;
}

double CGraph::MarkerX(int32_t sample) const {
    const CKalvoData* d = ShownConst();
    if (!d) return std::numeric_limits<double>::quiet_NaN();
    if (m_nType == PLOT_POLAR) return d->GetComponent(sample, 0);
    return d->IndexToValue(sample);
}

double CGraph::MarkerY(int32_t sample, int trace) const {
    const CKalvoData* d = ShownConst();
    int32_t first, last;
    if (!d || !FullIndexRange(first, last) || sample < first || sample > last)
        return std::numeric_limits<double>::quiet_NaN();
    switch (TraceType()) {
        case PLOT_QUADRATURE: return d->GetComponent(sample, 1);
        case PLOT_I_AND_Q: return d->GetComponent(sample, trace == 1 ? 1 : 0);
        case PLOT_MAGNITUDE: return Magnitude(d->GetComponent(sample, 2));
        case PLOT_PHASE: return d->GetComponent(sample, 3);
        case PLOT_POLAR: return d->GetComponent(sample, 1);
        default: return d->GetComponent(sample, 0);
    }
}

std::vector<CPlotMarkers::CRow> CGraph::MarkerRows() const {
    return m_Markers.Rows([this](int32_t s) { return MarkerX(s); },
                          [this](int32_t s, int t) { return MarkerY(s, t); });
}

void CGraph::MarkersChanged() {
    if (m_OnMarkersChanged) m_OnMarkersChanged();
    Invalidate();
}

void CGraph::KeepMarkers() {
    if (m_Markers.IsEmpty()) return;
    int32_t first, last;
    if (FullIndexRange(first, last))
        m_Markers.KeepWithin(first, last, GetTraceCount());
    else
        m_Markers.Clear();
    MarkersChanged();
}

bool CGraph::PlaceMarker(int32_t sample, int trace) {
    int32_t first, last;
    if (!FullIndexRange(first, last) || sample < first || sample > last) return false;
    trace = std::clamp(trace, 0, m_nType == PLOT_I_AND_Q ? 1 : 0);
    m_Markers.Place(sample, trace);
    MarkersChanged();
    return true;
}

bool CGraph::PlaceMarkerAt(CPoint p) {
    const CKalvoData* d = ShownConst();
    if (!HasData() || !d || m_XColumn.GetSize() == 0 || m_Traces.GetColumnCount() < 1) return false;
    int trace = 1;
    const int point = FindNearestPoint(p.x, p.y, trace);
    if (point < 0 || point >= m_XColumn.GetSize()) return false;
    trace = std::max(0, trace - 1);
    if (m_nType == PLOT_POLAR) {
        if (point >= static_cast<int>(m_PointFirst.size())) return false;
        return PlaceMarker(m_PointFirst[static_cast<size_t>(point)], 0);
    }
    // The point stands for a group of samples (drawn as the span of their
    // values): the marker takes the one whose value is drawn nearest to
    // the pointer.
    int32_t sample = d->ValueToIndex(m_XColumn[point]);
    if (static_cast<size_t>(point) + 1 < m_GroupStarts.size() &&
        static_cast<int>(m_GroupStarts.size()) == m_XColumn.GetSize() + 1) {
        const int32_t s = m_GroupStarts[static_cast<size_t>(point)];
        const int32_t e = m_GroupStarts[static_cast<size_t>(point) + 1] - 1;
        int best = INT_MAX;
        for (int32_t i = s; i <= e; ++i) {
            const double v = MarkerY(i, trace);
            if (!std::isfinite(v)) continue;
            const int distance = std::abs(YToPixel(v) - p.y);
            if (distance < best) {
                best = distance;
                sample = i;
            }
        }
    }
    return PlaceMarker(sample, trace);
}

bool CGraph::MarkerPeakSearch(int command) {
    const CKalvoData* d = ShownConst();
    int32_t first, last;
    if (!HasData() || !d || m_nType == PLOT_POLAR || !d->StoredWorkingRange(first, last)) return false;
    const int active = m_Markers.Active();
    int trace = active >= 0 ? m_Markers.At(active).m_nTrace : 0;
    auto y = [this](int32_t s, int t) { return MarkerY(s, t); };
    std::optional<int32_t> found;
    switch (command) {
        case ID_MARKER_PEAK_HIGHEST:
            found = CPlotMarkers::HighestPeak(y, trace, first, last);
            // Without a marker to follow, the higher of both traces.
            if (active < 0 && m_nType == PLOT_I_AND_Q) {
                std::optional<int32_t> q = CPlotMarkers::HighestPeak(y, 1, first, last);
                if (q && (!found || MarkerY(*q, 1) > MarkerY(*found, 0))) {
                    found = q;
                    trace = 1;
                }
            }
            break;
        case ID_MARKER_PEAK_LEFT:
        case ID_MARKER_PEAK_RIGHT: {
            const bool left = command == ID_MARKER_PEAK_LEFT;
            const int32_t from = active >= 0 ? m_Markers.At(active).m_nSample : left ? last + 1 : first - 1;
            found = CPlotMarkers::NextPeak(y, trace, first, last, from, left ? -1 : 1);
            break;
        }
        case ID_MARKER_PEAK_LOWER:
            if (active >= 0) found = CPlotMarkers::NextLowerPeak(y, trace, first, last, m_Markers.At(active).m_nSample);
            break;
        default: return false;
    }
    if (!found) {
        SetStatusText(kNoPeakText);
        return false;
    }
    m_Markers.MoveActive(*found, trace);
    MarkersChanged();
    return true;
}

void CGraph::DrawTraces(IDrawSurface& dc) {
    CShareAppPlot::DrawTraces(dc);
    if (m_Markers.IsEmpty()) return;
    DrawMarkers(dc);
    if (m_bMarkerTable) DrawMarkerTable(dc);
}

void CGraph::DrawMarkers(IDrawSurface& dc) {
    const CPen pen = dc.GetCurrentPen();
    const TextAlign align = dc.GetTextAlign();
    const CFontDesc previous = dc.GetCurrentFont();
    CFontDesc font = m_BaseFont;
    font.m_nHeight = std::max(static_cast<int>(kMinLabelHeight * m_dFontScale), m_BaseFont.m_nHeight * 4 / 5);
    font.m_nEscapement = 0;
    dc.SelectFont(font);
    const int textHeight = dc.GetTextExtent("0").cy;
    dc.SetTextColor(m_Colors.m_marker);
    dc.SetTextAlign(TextAlign::CenterBottom);
    const int size = std::max(4, m_nCharHeight / 3);
    const int left = m_nPlotLeft, right = m_nPlotLeft + m_nPlotWidth;
    const int top = m_nPlotBottom - m_nPlotHeight, bottom = m_nPlotBottom;
    dc.SelectPen(CPen{PenStyle::Solid, 1, m_Colors.m_marker});
    for (const CPlotMarkers::CRow& row : MarkerRows()) {
        if (!std::isfinite(row.m_dX) || !std::isfinite(row.m_dY)) continue;
        const int x = XToPixel(row.m_dX);
        const int y = YToPixel(row.m_dY);
        if (x < left || x > right || y < top || y > bottom) continue;
        // A triangle pointing at the sample, filled when active, with the
        // marker's number beyond it (R for the reference): above the
        // sample, or below it where the top of the plot leaves no room.
        const bool below = y - 2 - 2 * size - textHeight < top;
        const int dir = below ? 1 : -1;
        const int tip = y + 2 * dir;
        // A rim of the background colour keeps the marker visible on a
        // dense trace.
        dc.SelectPen(CPen{PenStyle::Solid, 1, m_Colors.m_background});
        for (int k = -1; k <= 2 * size + 1; ++k) {
            const int half = std::max(0, k) / 2 + 1;
            dc.MoveTo(x - half, tip + dir * k);
            dc.LineTo(x + half + 1, tip + dir * k);
        }
        dc.SelectPen(CPen{PenStyle::Solid, 1, m_Colors.m_marker});
        for (int k = 0; k <= 2 * size; ++k) {
            const int half = k / 2;
            const int row_y = tip + dir * k;
            if (row.m_bActive || k == 2 * size || half == 0) {
                dc.MoveTo(x - half, row_y);
                dc.LineTo(x + half + 1, row_y);
            } else {
                dc.MoveTo(x - half, row_y);
                dc.LineTo(x - half + 1, row_y);
                dc.MoveTo(x + half, row_y);
                dc.LineTo(x + half + 1, row_y);
            }
        }
        std::string label = std::to_string(row.m_nNumber);
        if (row.m_bReference) label += "R";
        const int ty = below ? tip + 2 * size + 2 + textHeight : tip - 2 * size - 2;
        dc.SetTextColor(m_Colors.m_background);
        for (const CPoint d : {CPoint{-1, 0}, CPoint{1, 0}, CPoint{0, -1}, CPoint{0, 1}}) dc.TextOut(x + d.x, ty + d.y, label);
        dc.SetTextColor(m_Colors.m_marker);
        dc.TextOut(x, ty, label);
    }
    dc.SelectFont(previous);
    dc.SelectPen(pen);
    dc.SetTextAlign(align);
    dc.SetTextColor(m_Colors.m_text == kPlatformTextColor ? dc.GetWindowTextColor() : m_Colors.m_text);
}

std::vector<std::vector<std::string>> CGraph::MarkerTableText() const {
    const std::vector<CPlotMarkers::CRow> rows = MarkerRows();
    const bool deltas = m_Markers.Reference() >= 0;
    auto number = [](double v) {
        if (!std::isfinite(v)) return std::string("-");
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", v);
        return std::string(text);
    };
    std::vector<std::vector<std::string>> table;
    std::vector<std::string> head{"", "X", "Y", "Sample"};
    if (deltas) head.insert(head.end(), {"\u0394X", "\u0394Y", "1/\u0394X"});
    table.push_back(head);
    for (const CPlotMarkers::CRow& row : rows) {
        std::vector<std::string> line{"M" + std::to_string(row.m_nNumber) + (row.m_bReference ? " R" : ""),
                                      number(row.m_dX), number(row.m_dY), std::to_string(row.m_nSample)};
        if (deltas) {
            if (row.m_bDelta)
                line.insert(line.end(), {number(row.m_dDeltaX), number(row.m_dDeltaY), number(row.m_dInverseDeltaX)});
            else
                line.insert(line.end(), {"", "", ""});
        }
        table.push_back(line);
    }
    return table;
}

void CGraph::DrawMarkerTable(IDrawSurface& dc) {
    const std::vector<std::vector<std::string>> table = MarkerTableText();
    if (table.size() < 2) return;
    const CFontDesc previous = dc.GetCurrentFont();
    CFontDesc font = m_BaseFont;
    font.m_nHeight = std::max(static_cast<int>(kMinLabelHeight * m_dFontScale), m_BaseFont.m_nHeight * 7 / 10);
    font.m_nWeight = 400;
    font.m_nEscapement = 0;
    dc.SelectFont(font);
    const size_t columns = table.front().size();
    std::vector<int> widths(columns, 0);
    int rowHeight = 0;
    for (const auto& line : table)
        for (size_t c = 0; c < columns; ++c) {
            const CSize e = dc.GetTextExtent(line[c].empty() ? std::string("0") : line[c]);
            widths[c] = std::max(widths[c], e.cx);
            rowHeight = std::max(rowHeight, e.cy);
        }
    const int gap = std::max(4, rowHeight / 2);
    int width = gap;
    for (int w : widths) width += w + gap;
    const int height = static_cast<int>(table.size()) * rowHeight + gap;
    // The corner of the plot where the table hides the fewest markers and
    // plotted points.
    const int plotTop = m_nPlotBottom - m_nPlotHeight;
    const int plotRight = m_nPlotLeft + m_nPlotWidth;
    const CRect corners[] = {
        {plotRight - gap - width, plotTop + gap, plotRight - gap, plotTop + gap + height},
        {m_nPlotLeft + gap, plotTop + gap, m_nPlotLeft + gap + width, plotTop + gap + height},
        {plotRight - gap - width, m_nPlotBottom - gap - height, plotRight - gap, m_nPlotBottom - gap},
        {m_nPlotLeft + gap, m_nPlotBottom - gap - height, m_nPlotLeft + gap + width, m_nPlotBottom - gap},
    };
    auto inside = [](const CRect& r, int x, int y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; };
    CRect box = corners[0];
    int64_t fewest = -1;
    for (const CRect& r : corners) {
        int64_t covered = 0;
        for (const CPlotMarkers::CRow& row : MarkerRows())
            if (std::isfinite(row.m_dY) && inside(r, XToPixel(row.m_dX), YToPixel(row.m_dY))) covered += 100000;
        const bool cloud = m_nType == PLOT_POLAR;
        for (int t = 0; t < m_Traces.GetColumnCount(); ++t) {
            const CDataColumn& ys = Trace(t);
            const CDataColumn& xs = cloud ? Trace(0) : m_XColumn;
            const int n = std::min(xs.GetSize(), ys.GetSize());
            for (int i = 0; i < n; ++i) {
                if (cloud && t == 0) continue;
                if (!std::isfinite(ys[i])) continue;
                const int px = XToPixel(xs[i]);
                if (px < r.left || px > r.right) continue;
                int y0 = YToPixel(ys[i]), y1 = y0;
                if (!cloud && t < static_cast<int>(m_TraceLow.size()) && i < static_cast<int>(m_TraceLow[t].size()) &&
                    std::isfinite(m_TraceLow[t][i]) && std::isfinite(m_TraceHigh[t][i])) {
                    y0 = YToPixel(m_TraceHigh[t][i]);
                    y1 = YToPixel(m_TraceLow[t][i]);
                }
                covered += std::max(0, std::min(y1, r.bottom) - std::max(y0, r.top) + 1);
            }
        }
        if (fewest < 0 || covered < fewest) {
            fewest = covered;
            box = r;
        }
    }
    const CPen pen = dc.GetCurrentPen();
    const TextAlign align = dc.GetTextAlign();
    // The table covers the traces under it: the background, then a frame.
    dc.SelectPen(CPen{PenStyle::Solid, 1, m_Colors.m_background});
    for (int y = box.top; y <= box.bottom; ++y) {
        dc.MoveTo(box.left, y);
        dc.LineTo(box.right + 1, y);
    }
    dc.SelectPen(CPen{PenStyle::Solid, 1, m_Colors.m_axis});
    dc.MoveTo(box.left, box.top);
    dc.LineTo(box.right, box.top);
    dc.LineTo(box.right, box.bottom);
    dc.LineTo(box.left, box.bottom);
    dc.LineTo(box.left, box.top);
    dc.SetTextAlign(TextAlign::RightBottom);
    for (size_t r = 0; r < table.size(); ++r) {
        const bool markerRow = r > 0;
        dc.SetTextColor(markerRow ? m_Colors.m_marker
                                  : (m_Colors.m_text == kPlatformTextColor ? dc.GetWindowTextColor() : m_Colors.m_text));
        int x = box.left + gap;
        const int y = box.top + gap / 2 + static_cast<int>(r + 1) * rowHeight;
        for (size_t c = 0; c < columns; ++c) {
            x += widths[c];
            if (!table[r][c].empty()) dc.TextOut(x, y, table[r][c]);
            x += gap;
        }
    }
    dc.SelectFont(previous);
    dc.SelectPen(pen);
    dc.SetTextAlign(align);
    dc.SetTextColor(m_Colors.m_text == kPlatformTextColor ? dc.GetWindowTextColor() : m_Colors.m_text);
}

// ---------------------------------------------------------------------------
// Commands

void CGraph::RecomputeHistogram() {
    if (!m_bHistogram || !m_pSource) {
        m_Histogram.Reset();
        return;
    }
    int type = m_nType;
    if (type == PLOT_NONE) type = m_pSource->IsReal() ? PLOT_INPHASE : PLOT_I_AND_Q;
    int a = HIST_NONE, b = HIST_NONE;
    switch (type) {
        case PLOT_INPHASE: a = HIST_INPHASE; break;
        case PLOT_QUADRATURE: b = HIST_QUADRATURE; break;
        case PLOT_I_AND_Q:
            a = HIST_INPHASE;
            b = HIST_QUADRATURE;
            break;
        case PLOT_MAGNITUDE: a = HIST_MAGNITUDE; break;
        case PLOT_PHASE: a = HIST_PHASE; break;
        default: break;
    }
    ComputeHistogram(*m_pSource, m_Histogram, a, b);
}

void CGraph::SetType(int type) {
    if (type != PLOT_POLAR) {
        if (m_nType == PLOT_POLAR && !m_ZoomList.IsEmpty()) {
            if (!AskYesNo(LoadString(IDS_PLOT_LEAVE_POLAR))) return;
            ResetZoom();
        }
        m_nType = type;
        // The histogram counts the values of the type shown.
        if (m_bHistogram) RecomputeHistogram();
        KeepMarkers();
        Refresh();
        return;
    }
    if (m_nType != PLOT_POLAR && !m_ZoomList.IsEmpty()) {
        if (!AskYesNo(LoadString(IDS_PLOT_ENTER_POLAR))) return;
    }
    m_nType = PLOT_POLAR;
    ResetZoom();
    KeepMarkers();
    Refresh();
}

void CGraph::ToggleHistogram() {
    m_bHistogram = m_bHistogram ? 0 : 1;
    if (m_bHistogram)
        m_bHistogramTitlesPending = 1;
    else
        m_bAutoTitles = 1;
    RecomputeHistogram();
    // The markers sat on samples of the other data.
    m_Markers.Clear();
    MarkersChanged();
    ResetZoom();
    Refresh();
}

void CGraph::OnProperties() {
    CGraphOptions dlg;
    dlg.m_bOriginZero = m_bBaseAtZero;
    dlg.m_bAutoTitles = m_bAutoTitles;
    dlg.m_bLegend = m_bLegend;
    dlg.m_bDb = m_bDb;
    dlg.m_bIntegerReduction = m_bIntegerReduction;
    dlg.m_bSumMode = m_bSumMode;
    dlg.m_bFullDecade = m_bZoomFullDecade;
    const bool smooth = Antialiased(m_dDeviceScale);
    dlg.m_bAntialias = smooth ? 1 : 0;
    dlg.m_nBins = m_Histogram.m_nBins;
    dlg.m_dMin = m_Histogram.m_dMin;
    dlg.m_dMax = m_Histogram.m_dMax;
    dlg.m_bAutoBins = m_Histogram.m_bAutoBins;
    dlg.m_bAutoRange = m_Histogram.m_bAutoRange;
    if (!RunDialog(dlg)) return;
    m_bBaseAtZero = dlg.m_bOriginZero ? 1 : 0;
    m_bAutoTitles = dlg.m_bAutoTitles ? 1 : 0;
    m_bLegend = dlg.m_bLegend ? 1 : 0;
    m_bDb = dlg.m_bDb ? 1 : 0;
    m_bIntegerReduction = dlg.m_bIntegerReduction ? 1 : 0;
    m_bSumMode = dlg.m_bSumMode ? 1 : 0;
    m_bZoomFullDecade = dlg.m_bFullDecade ? 1 : 0;
    // Left as shown, the choice stays automatic (it follows the scale).
    if ((dlg.m_bAntialias != 0) != smooth) m_nAntialias = dlg.m_bAntialias ? 1 : 0;
    m_Histogram.m_nBins = dlg.m_nBins;
    m_Histogram.m_dMin = dlg.m_dMin;
    m_Histogram.m_dMax = dlg.m_dMax;
    m_Histogram.m_bAutoBins = dlg.m_bAutoBins ? 1 : 0;
    m_Histogram.m_bAutoRange = dlg.m_bAutoRange ? 1 : 0;
    m_bResetScaling = 1;
    if (m_bHistogram) RecomputeHistogram();
    KeepMarkers();
    Refresh();
}

void CGraph::OnMouseWheel(int delta, bool ctrl, bool shift, CPoint p) {
    if (!shift || !m_bHistogram || !m_pSource) {
        CShareAppPlot::OnMouseWheel(delta, ctrl, shift, p);
        return;
    }
    int bins = m_Histogram.m_nBins;
    if (delta < 0)
        bins = std::max(5, static_cast<int>(bins * 0.8));
    else if (delta > 0)
        bins = std::min(static_cast<int>(bins * 1.25), m_pSource->GetCount());
    if (bins == m_Histogram.m_nBins || bins <= 0) return;
    m_Histogram.m_nBins = bins;
    m_Histogram.m_bAutoBins = 0;
    RecomputeHistogram();
    KeepMarkers();
    Refresh();
}

void CGraph::OnSize() {
    if (m_bRefreshOnResize && HasData()) Refresh();
}

namespace {

struct TypeCommand {
    int id;
    int type;
};
constexpr TypeCommand kTypeCommands[] = {
    {ID_PLOT_INPHASE, PLOT_INPHASE}, {ID_PLOT_QUADRATURE, PLOT_QUADRATURE}, {ID_PLOT_I_AND_Q, PLOT_I_AND_Q},
    {ID_PLOT_MAGNITUDE, PLOT_MAGNITUDE}, {ID_PLOT_PHASE, PLOT_PHASE}, {ID_PLOT_POLAR, PLOT_POLAR},
};

}  // namespace

bool CGraph::DoCommand(int id) {
    for (const TypeCommand& c : kTypeCommands)
        if (c.id == id) {
            SetType(c.type);
            return true;
        }
    switch (id) {
        case ID_PLOT_HISTOGRAM: ToggleHistogram(); return true;
        case ID_PLOT_PROPERTIES: OnProperties(); return true;
        case ID_MARKER_ADD: {
            // At the middle of the view.
            const CKalvoData* d = ShownConst();
            int32_t first, last;
            if (!d || !d->StoredWorkingRange(first, last)) return true;
            PlaceMarker(first + (last - first) / 2, 0);
            return true;
        }
        case ID_MARKER_PEAK_HIGHEST:
        case ID_MARKER_PEAK_LEFT:
        case ID_MARKER_PEAK_RIGHT:
        case ID_MARKER_PEAK_LOWER: MarkerPeakSearch(id); return true;
        case ID_MARKER_NEXT:
            m_Markers.ActivateNext();
            MarkersChanged();
            return true;
        case ID_MARKER_REFERENCE:
            m_Markers.ToggleReference(m_Markers.Active());
            MarkersChanged();
            return true;
        case ID_MARKER_REMOVE:
            m_Markers.Remove(m_Markers.Active());
            MarkersChanged();
            return true;
        case ID_MARKER_CLEAR:
            m_Markers.Clear();
            MarkersChanged();
            return true;
        case ID_MARKER_TABLE:
        case ID_PLOT_SAVE_PICTURE:
            if (m_WindowCommand) m_WindowCommand(id);
            return true;
        default: return CShareAppPlot::DoCommand(id);
    }
}

bool CGraph::OnUpdateCommand(CCmdUI& ui) {
    for (const TypeCommand& c : kTypeCommands)
        if (c.id == ui.m_nId) {
            ui.m_nCheck = HasData() && m_nType == c.type ? 1 : 0;
            if (c.type == PLOT_INPHASE)
                ui.m_bEnabled = HasData();
            else if (c.type == PLOT_MAGNITUDE)
                ui.m_bEnabled = true;
            else
                ui.m_bEnabled = m_pSource && !m_pSource->IsReal();
            return true;
        }
    switch (ui.m_nId) {
        case ID_MARKER_ADD:
            ui.m_bEnabled = HasData() && m_nType != PLOT_POLAR;
            return true;
        case ID_MARKER_PEAK_HIGHEST:
        case ID_MARKER_PEAK_LEFT:
        case ID_MARKER_PEAK_RIGHT:
            ui.m_bEnabled = HasData() && m_nType != PLOT_POLAR;
            return true;
        case ID_MARKER_PEAK_LOWER:
            ui.m_bEnabled = HasData() && m_nType != PLOT_POLAR && m_Markers.Active() >= 0;
            return true;
        case ID_MARKER_NEXT:
            ui.m_bEnabled = m_Markers.Count() > 1;
            return true;
        case ID_MARKER_REFERENCE:
            ui.m_bEnabled = !m_Markers.IsEmpty();
            ui.m_nCheck = !m_Markers.IsEmpty() && m_Markers.Reference() == m_Markers.Active() ? 1 : 0;
            return true;
        case ID_MARKER_REMOVE:
        case ID_MARKER_CLEAR:
            ui.m_bEnabled = !m_Markers.IsEmpty();
            return true;
        case ID_MARKER_TABLE:
        case ID_PLOT_SAVE_PICTURE:
            ui.m_bEnabled = static_cast<bool>(m_WindowCommand) && (ui.m_nId == ID_MARKER_TABLE || HasData());
            return true;
        default: break;
    }
    if (ui.m_nId == ID_PLOT_HISTOGRAM) {
        ui.m_bEnabled = m_nType != PLOT_POLAR;
        ui.m_nCheck = m_bHistogram ? 1 : 0;
        return true;
    }
    return CShareAppPlot::OnUpdateCommand(ui);
}

}  // namespace kv
