// Axis limits and spacings that are not finite, or at the ends of the
// doubles, in the plot views: the axis dialog takes whatever strtod reads
// ("nan", "inf", "1e308", "4.9e-324"), for either axis, linear or log, in
// every plot type. And working ranges a project carries that do not fit its
// data (start and stop beyond it or reversed, counts that disagree with the
// columns, steps and half sampling frequencies that are not finite). Each
// view is painted at several sizes, zoomed and shown as a histogram; the
// drawing surface stops the test on any position beyond a device. Under the
// sanitizer build an unchecked conversion to an integer or a read outside
// the data stops it with the sanitizer's report, and a loop bounded by such
// a value runs into the test's time limit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "CFuzzPlatform.h"
#include "CFuzzSurface.h"
#include "FuzzTargets.h"
#include "app/CModDoc.h"
#include "platform/CDialogModel.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"
#include "plot/PlotCommands.h"

namespace kv::fuzz {
namespace {

using Limits = std::numeric_limits<double>;

const double kHostile[] = {Limits::quiet_NaN(), Limits::infinity(),    -Limits::infinity(),
                           Limits::max(),       -Limits::max(),        Limits::denorm_min(),
                           -Limits::denorm_min(), 0.0};

struct CAxisField {
    const char* name;
    std::function<void(CAxisScale&, double)> set;
};

const std::vector<CAxisField>& AxisFields() {
    static const std::vector<CAxisField> fields = {
        {"minimum", [](CAxisScale& a, double v) { a.m_dAxisMin = v; }},
        {"maximum", [](CAxisScale& a, double v) { a.m_dAxisMax = v; }},
        {"both ends", [](CAxisScale& a, double v) { a.m_dAxisMin = a.m_dAxisMax = v; }},
        {"reversed ends",
         [](CAxisScale& a, double v) {
             a.m_dAxisMin = v;
             a.m_dAxisMax = -v;
         }},
        {"tic spacing", [](CAxisScale& a, double v) { a.m_dTicSpacing = v; }},
        {"label spacing", [](CAxisScale& a, double v) { a.m_dLabelSpacing = v; }},
        {"spacings and ends",
         [](CAxisScale& a, double v) {
             a.m_dTicSpacing = a.m_dLabelSpacing = v;
             a.m_dAxisMin = -v;
             a.m_dAxisMax = v;
         }},
    };
    return fields;
}

void FillData(CKalvoData& data, double scale) {
    data.Reset();
    for (int i = 0; i < 64; ++i) {
        data.Inphase().Append(scale * std::cos(0.3 * i));
        data.Quadrature().Append(scale * std::sin(0.3 * i));
    }
    data.EqualizeColumns(0.0);
}

// Whether a is b, or both are NaN.
bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

void Paint(CGraph& graph, int width, int height, bool printer = false) {
    CFuzzSurface surface(width, height);
    surface.SetPrinter(printer);
    graph.Paint(surface);
}

// The plot as a user goes on looking at it: painted, in a tiny window, on a
// printer page, zoomed with the wheel and back, as a histogram.
void Look(CGraph& graph) {
    Paint(graph, 640, 400);
    Paint(graph, 60, 45);
    Paint(graph, 300, 700, true);
    graph.OnMouseWheel(120, false, false, CPoint{320, 200});
    Paint(graph, 640, 400);
    graph.DoCommand(ID_ZOOM_TOP);
    graph.DoCommand(ID_PLOT_HISTOGRAM);
    Paint(graph, 640, 400);
    graph.DoCommand(ID_PLOT_HISTOGRAM);
}

TEST(NonFiniteViews, AxisDialogTakesAnyLimitsAndSpacings) {
    const int types[] = {ID_PLOT_INPHASE,   ID_PLOT_QUADRATURE, ID_PLOT_I_AND_Q,
                         ID_PLOT_MAGNITUDE, ID_PLOT_PHASE,      ID_PLOT_POLAR};
    for (const CAxisField& field : AxisFields()) {
        for (double value : kHostile) {
            for (int axis = 0; axis < 2; ++axis) {
                for (int32_t log = 0; log < 2; ++log) {
                    SCOPED_TRACE(std::string(axis ? "Y" : "X") + " axis " + field.name + " = " +
                                 std::to_string(value) + (log ? ", log" : ""));
                    CFuzzPlatform platform;
                    platform.SetPressOk(true);
                    CModDoc doc;
                    FillData(doc.m_TimeData, 3.0);
                    platform.CreatePlotView(doc);
                    doc.OpenPlot(0, false, doc.m_TimeData);
                    ASSERT_FALSE(platform.m_Plots.empty());
                    CGraph& graph = platform.m_Plots.front()->graph;
                    for (int type : types) {
                        graph.DoCommand(type);
                        Paint(graph, 640, 400);
                        CAxisScale& record = axis ? graph.m_YAxis : graph.m_XAxis;
                        record.m_bAutoScale = 0;
                        record.m_bLog = log;
                        field.set(record, value);
                        const CAxisScale typed = record;
                        const size_t messages = platform.m_Messages.size();
                        // The dialog shows the values as text and reads them
                        // back as a user's typing is read.
                        graph.DoCommand(axis ? ID_PLOT_Y_AXIS : ID_PLOT_X_AXIS);
                        // OK with the texts as shown keeps the ends to the
                        // bit, the largest doubles included (the spacings may
                        // be replaced, with a message).
                        EXPECT_TRUE(Same(record.m_dAxisMin, typed.m_dAxisMin) &&
                                    Same(record.m_dAxisMax, typed.m_dAxisMax))
                            << "the dialog did not read back " << typed.m_dAxisMin << " and " << typed.m_dAxisMax;
                        if (platform.m_Messages.size() == messages) {
                            EXPECT_TRUE(Same(record.m_dTicSpacing, typed.m_dTicSpacing) &&
                                        Same(record.m_dLabelSpacing, typed.m_dLabelSpacing))
                                << "spacings " << record.m_dTicSpacing << " and " << record.m_dLabelSpacing;
                        }
                        Look(graph);
                        // Whatever was typed, the axis drawn has two finite,
                        // ordered ends.
                        const double lo = axis ? graph.m_dYMin : graph.m_dXMin;
                        const double hi = axis ? graph.m_dYMax : graph.m_dXMax;
                        EXPECT_TRUE(std::isfinite(lo) && std::isfinite(hi) && lo < hi)
                            << "plot type " << type << ": axis drawn from " << lo << " to " << hi;
                    }
                    platform.CloseViews();
                }
            }
        }
    }
}

// The stored members of a data block that say where its working range and
// axis lie.
struct CRangeField {
    const char* name;
    std::function<void(CKalvoData&, int32_t)> set;
};

std::vector<uint8_t> Saved(CModDoc& doc) {
    CMemFile file(4096);
    CArchive ar(file, CArchive::Mode::Store);
    doc.Serialize(ar);
    ar.Close();
    return std::vector<uint8_t>(file.Data(), file.Data() + file.GetLength());
}

// Runs the saved project through the project target: opened, shown in every
// view, measured, and with the last byte's top bit every command run on it.
void OpenEveryWay(const std::vector<uint8_t>& bytes) {
    for (uint8_t last : {uint8_t{0x05}, uint8_t{0x80}, uint8_t{0xAB}, uint8_t{0x31}}) {
        std::vector<uint8_t> input = bytes;
        input.push_back(last);
        CFuzzOutcome outcome;
        FuzzProject(input.data(), input.size(), outcome);
        EXPECT_TRUE(outcome.shown || !outcome.messages.empty()) << "last byte " << int{last};
    }
}

TEST(NonFiniteViews, ProjectsWithWorkingRangesOutsideTheirData) {
    const std::vector<CRangeField> fields = {
        {"start", [](CKalvoData& d, int32_t v) { d.m_nStart = v; }},
        {"stop", [](CKalvoData& d, int32_t v) { d.m_nStop = v; }},
        {"start and stop",
         [](CKalvoData& d, int32_t v) {
             d.m_nStart = v;
             d.m_nStop = v;
         }},
        {"reversed range",
         [](CKalvoData& d, int32_t v) {
             d.m_nStart = v;
             d.m_nStop = v == std::numeric_limits<int32_t>::min() ? 0 : -v;
         }},
        {"count", [](CKalvoData& d, int32_t v) { d.m_nCount = v; }},
        {"half", [](CKalvoData& d, int32_t v) { d.m_nHalf = v; }},
        {"window", [](CKalvoData& d, int32_t v) { d.m_nWindow = v; }},
    };
    const int32_t values[] = {std::numeric_limits<int32_t>::min(), -65, -1, 0, 63, 64, 65,
                              std::numeric_limits<int32_t>::max()};
    for (bool frequency : {false, true}) {
        for (const CRangeField& field : fields) {
            for (int32_t value : values) {
                SCOPED_TRACE(std::string(frequency ? "frequency " : "time ") + field.name + " = " +
                             std::to_string(value));
                CModDoc doc;
                FillData(doc.m_TimeData, 1.0);
                FillData(doc.m_FreqData, 2.0);
                doc.m_FreqData.m_bTime = 0;
                field.set(frequency ? doc.m_FreqData : doc.m_TimeData, value);
                OpenEveryWay(Saved(doc));
            }
        }
    }
}

TEST(NonFiniteViews, ProjectsWithAxisStepsThatAreNotFinite) {
    const std::vector<std::pair<const char*, std::function<void(CKalvoData&, double)>>> fields = {
        {"step", [](CKalvoData& d, double v) { d.m_dStep = v; }},
        {"half sampling frequency", [](CKalvoData& d, double v) { d.m_dHalfFs = v; }},
        {"sampling frequency", [](CKalvoData& d, double v) { d.m_dFs = v; }},
        {"every axis value",
         [](CKalvoData& d, double v) {
             d.m_dFs = d.m_dHalfFs = d.m_dStep = v;
             d.m_dDbOffset = v;
         }},
    };
    for (bool frequency : {false, true}) {
        for (const auto& [name, set] : fields) {
            for (double value : kHostile) {
                SCOPED_TRACE(std::string(frequency ? "frequency " : "time ") + name + " = " + std::to_string(value));
                CModDoc doc;
                FillData(doc.m_TimeData, 1.0);
                FillData(doc.m_FreqData, 2.0);
                doc.m_FreqData.m_bTime = 0;
                set(frequency ? doc.m_FreqData : doc.m_TimeData, value);
                OpenEveryWay(Saved(doc));
            }
        }
    }
}

}  // namespace
}  // namespace kv::fuzz
