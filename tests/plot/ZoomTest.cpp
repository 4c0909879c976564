#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <tuple>

#include "app/CKalvoraDoc.h"
#include "platform/IContextMenus.h"
#include "plot/GraphFixture.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"

namespace kv {
namespace {

using test::CDrawCall;
using test::CGraphFixture;

// Whether every XOR segment drawn was drawn again (so nothing is left on
// screen): each undirected segment must appear an even number of times.
bool AllXorLinesCancel(const test::CRecordingSurface& overlay) {
    std::map<std::tuple<int, int, int, int>, int> count;
    for (const auto& l : overlay.Lines()) {
        if (l.rop != RasterOp::XorPen) return false;
        auto a = std::make_pair(l.x1, l.y1), b = std::make_pair(l.x2, l.y2);
        if (b < a) std::swap(a, b);
        ++count[{a.first, a.second, b.first, b.second}];
    }
    for (const auto& [segment, n] : count)
        if (n % 2) return false;
    return true;
}

class ZoomTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::MakeTimeData(f.data, 1000, 1000.0, [](int i) { return std::sin(i * 0.05); });
        f.graph.Attach(f.data, 0, 0);
        f.Paint();
    }
    void Band() { f.Drag(f.At(0.25, 0.8), f.At(0.5, 0.2)); }
    CGraphFixture f;
};

TEST_F(ZoomTest, LevelSequenceAndStatusTexts) {
    EXPECT_EQ(f.Status(), "Ready");
    for (int id : {ID_ZOOM_NEXT, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_TOP, ID_ZOOM_BOTTOM}) EXPECT_FALSE(f.Enabled(id));

    Band();
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    EXPECT_GT(f.data.m_nStart, 0);
    EXPECT_LT(f.data.m_nStop, 999);
    EXPECT_TRUE(f.Enabled(ID_ZOOM_OUT));
    EXPECT_TRUE(f.Enabled(ID_ZOOM_TOP));
    EXPECT_FALSE(f.Enabled(ID_ZOOM_IN));
    EXPECT_FALSE(f.Enabled(ID_ZOOM_BOTTOM));
    EXPECT_EQ(f.Checked(ID_ZOOM_BOTTOM), 1);

    f.graph.OnCommand(ID_ZOOM_OUT);
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 1");
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);
    EXPECT_EQ(f.Checked(ID_ZOOM_TOP), 1);
    EXPECT_FALSE(f.Enabled(ID_ZOOM_OUT));

    f.graph.OnCommand(ID_ZOOM_IN);
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    EXPECT_GT(f.data.m_nStart, 0);

    f.graph.OnCommand(ID_ZOOM_NEXT);  // at the bottom: to the top
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 1");
}

TEST_F(ZoomTest, ANewZoomFromTheTopDropsTheDeeperLevels) {
    Band();
    f.Paint();
    Band();
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 2 of 2");
    f.graph.OnCommand(ID_ZOOM_TOP);
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 2");
    Band();
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
}

TEST_F(ZoomTest, MiddleButtonTogglesTopAndBottom) {
    Band();
    f.Paint();
    Band();
    f.Paint();
    int start = f.data.m_nStart;
    f.graph.OnMButtonDown(CPoint{10, 10});
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 2");
    EXPECT_EQ(f.data.m_nStart, 0);
    f.graph.OnMButtonDown(CPoint{10, 10});
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 2 of 2");
    EXPECT_NEAR(f.data.m_nStart, start, 3);
}

TEST_F(ZoomTest, WheelMovesThroughTheLevels) {
    Band();
    f.Paint();
    f.graph.OnMouseWheel(-120, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 1");
    f.graph.OnMouseWheel(120, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
}

TEST_F(ZoomTest, DragOverTheXLabelsMakesTwoLines) {
    CPoint below = f.At(0.3, 0);
    below.y += 5;
    f.graph.OnLButtonDown(below);
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nZone, CZoomCursor::ZoneHorizontal);
    f.graph.OnMouseMove(CPoint{below.x + 60, below.y}, true);
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nVertical[0], below.x);
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nVertical[1], below.x + 60);
    // Lines are drawn with the XOR pen from the top to the bottom of the plot.
    auto lines = f.window.overlay.Lines();
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& l : lines) {
        EXPECT_EQ(l.rop, RasterOp::XorPen);
        EXPECT_EQ(l.pen.m_color, Rgb(209, 115, 168));
        EXPECT_EQ(l.x1, l.x2);
        EXPECT_EQ(l.y1, f.graph.YToPixel(f.graph.m_dYMax));
        EXPECT_EQ(l.y2, f.graph.YToPixel(f.graph.m_dYMin));
    }
    f.graph.OnLButtonUp(CPoint{below.x + 60, below.y});
    EXPECT_FALSE(f.window.captured);
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nResult, 3);
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    // An X zoom scales Y automatically to the new range.
    EXPECT_EQ(f.graph.m_YAxis.m_bAutoScale, 1);
}

TEST_F(ZoomTest, ShortDragsAreClicks) {
    f.graph.m_bFocusRepaint = 0;
    CPoint below = f.At(0.3, 0);
    below.y += 5;
    f.Drag(below, CPoint{below.x + 9, below.y});
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nResult, 2);
    EXPECT_TRUE(f.graph.m_ZoomList.IsEmpty());
    EXPECT_EQ(f.Status().substr(0, 2), "X=");

    // A band at least 10 wide but under 5 high zooms X only.
    f.Drag(f.At(0.2, 0.5), CPoint{f.At(0.2, 0.5).x + 40, f.At(0.2, 0.5).y + 3});
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nResult, 3);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 1);
    f.Paint();
    // A band under 10 wide is a click.
    f.Drag(f.At(0.2, 0.5), CPoint{f.At(0.2, 0.5).x + 9, f.At(0.2, 0.5).y + 50});
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nResult, 2);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 1);
}

TEST_F(ZoomTest, DragBesideTheYLabelsZoomsYOnly) {
    int start = f.data.m_nStart, stop = f.data.m_nStop;
    CPoint left = f.At(0, 0.9);
    left.x -= 10;
    f.Drag(left, CPoint{left.x, f.At(0, 0.5).y});
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nResult, 4);
    f.Paint();
    EXPECT_EQ(f.data.m_nStart, start);
    EXPECT_EQ(f.data.m_nStop, stop);
    EXPECT_GT(f.graph.m_dYMin, -0.2);
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    // Less than 5 pixels high does nothing.
    f.Drag(left, CPoint{left.x, left.y + 4});
    EXPECT_EQ(f.graph.m_ZoomCursor.m_nResult, 1);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 1);
}

TEST_F(ZoomTest, TheFirstClickAfterGainingFocusOnlyRepaints) {
    f.graph.OnSetFocus();
    int invalidations = f.window.invalidations;
    size_t statuses = f.platform.statusTexts.size();
    f.Click(f.At(0.5, 0.5));
    EXPECT_EQ(f.window.invalidations, invalidations + 1);
    EXPECT_EQ(f.platform.statusTexts.size(), statuses);
    f.Paint();
    f.window.overlay.Clear();
    f.Click(f.At(0.5, 0.5));
    EXPECT_EQ(f.Status().substr(0, 2), "X=");
    // The cross-hair: one vertical and one horizontal XOR line through the point.
    auto lines = f.window.overlay.Lines();
    int vertical = 0, horizontal = 0;
    for (const auto& l : lines) {
        EXPECT_EQ(l.rop, RasterOp::XorPen);
        if (l.x1 == l.x2) ++vertical;
        if (l.y1 == l.y2) ++horizontal;
    }
    EXPECT_GE(vertical, 1);
    EXPECT_GE(horizontal, 1);
    EXPECT_NE(f.graph.m_ZoomCursor.m_nVertical[0], -1);
}

TEST_F(ZoomTest, CtrlWheelKeepsThePointUnderThePointer) {
    CPoint p = f.At(0.3, 0.7);
    double vx = f.graph.PixelToX(p.x);
    double vy = f.graph.PixelToY(p.y);
    f.graph.OnMouseWheel(120, true, false, p);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 1);
    f.Paint();
    ASSERT_EQ(f.window.pointerMoves.size(), 1u);
    CPoint moved = f.window.pointerMoves[0];
    EXPECT_LT(f.graph.m_dXMax - f.graph.m_dXMin, 1.0);  // zoomed in
    EXPECT_NEAR(f.graph.PixelToX(moved.x), vx, (f.graph.m_dXMax - f.graph.m_dXMin) / f.graph.m_nPlotWidth * 1.5);
    EXPECT_NEAR(f.graph.PixelToY(moved.y), vy, (f.graph.m_dYMax - f.graph.m_dYMin) / f.graph.m_nPlotHeight * 1.5);

    // Over the margin, outside the axis ranges, nothing happens.
    f.graph.OnMouseWheel(120, true, false, CPoint{2, 2});
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 1);
    EXPECT_EQ(f.graph.m_bPendingPointer, 0);
}

TEST_F(ZoomTest, RefusedZoomShowsAMessageAndKeepsTheView) {
    test::MakeTimeData(f.data, 20, 1000.0, [](int i) { return i % 3; });
    f.graph.OnUpdate(nullptr, HINT_DATA_CHANGED + HINT_RESET_ZOOM, &f.data);
    f.Paint();
    f.Drag(f.At(0.40, 0.8), f.At(0.45, 0.2));
    EXPECT_TRUE(f.platform.SawMessage("Cannot zoom: horizontal range is too narrow."));
    EXPECT_EQ(f.platform.messages.back().icon, MsgIcon::Error);
    EXPECT_TRUE(f.graph.m_ZoomList.IsEmpty());
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 19);
}

TEST_F(ZoomTest, AtMost35Levels) {
    CPoint left = f.At(0, 0.9);
    left.x -= 10;
    for (int i = 0; i < 40; ++i) {
        f.Drag(CPoint{left.x, f.At(0, 0.9).y}, CPoint{left.x, f.At(0, 0.1).y});
        f.Paint();
    }
    EXPECT_EQ(f.graph.m_ZoomList.LevelsShown(), 35);
    EXPECT_EQ(f.Status(), "Zoom Level 35 of 35");
}

TEST_F(ZoomTest, FullDecadesOnALogAxis) {
    f.graph.m_XAxis.m_bLog = 1;
    f.graph.ApplyXAxis();
    f.graph.Refresh();
    f.Paint();
    EXPECT_DOUBLE_EQ(f.graph.m_dXMin, 0.0001);  // the decade of half the sample spacing
    EXPECT_DOUBLE_EQ(f.graph.m_dXMax, 1);
    CRect band{f.graph.XToPixel(0.003), f.At(0, 0.8).y, f.graph.XToPixel(0.04), f.At(0, 0.2).y};
    ASSERT_TRUE(f.graph.ZoomTo(band, true, false, true));
    f.Paint();
    EXPECT_DOUBLE_EQ(f.graph.m_dXMin, 0.001);
    EXPECT_DOUBLE_EQ(f.graph.m_dXMax, 0.1);
    band = CRect{f.graph.XToPixel(0.01) + 1, f.At(0, 0.8).y, f.graph.XToPixel(0.1), f.At(0, 0.2).y};
    ASSERT_TRUE(f.graph.ZoomTo(band, true, false, true));
    f.Paint();
    EXPECT_DOUBLE_EQ(f.graph.m_dXMin, 0.01);
    EXPECT_DOUBLE_EQ(f.graph.m_dXMax, 0.1);
}

class CRecordingMenus : public IContextMenus {
public:
    void TrackPopupMenu(const CMenuItem& popup, ICommandTarget& target, int x, int y) override {
        shown = popup;
        where = CPoint{x, y};
        CCmdUI ui(ID_ZOOM_IN);
        knowsZoom = target.OnUpdateCommand(ui);
        ++count;
    }
    CMenuItem shown;
    CPoint where;
    bool knowsZoom = false;
    int count = 0;
};

TEST_F(ZoomTest, ContextMenuRemovesTheCursorAndShowsThePlotMenu) {
    CRecordingMenus menus;
    f.platform.Platform().SetContextMenus(&menus);
    f.graph.OnLButtonDown(f.At(0.5, 0.5));
    f.graph.OnMouseMove(f.At(0.6, 0.4), true);
    f.graph.OnContextMenu(CPoint{100, 120});
    EXPECT_EQ(menus.count, 1);
    EXPECT_EQ(menus.where, (CPoint{1100, 620}));
    EXPECT_TRUE(menus.knowsZoom);
    ASSERT_FALSE(menus.shown.m_items.empty());
    EXPECT_EQ(menus.shown.m_items[0].m_strText, "Type");
    EXPECT_TRUE(f.graph.m_ZoomCursor.IsNone());
    // Every XOR line drawn was drawn again to remove it.
    EXPECT_TRUE(AllXorLinesCancel(f.window.overlay));
    f.platform.Platform().SetContextMenus(nullptr);
}

TEST_F(ZoomTest, LosingTheFocusRemovesTheCursor) {
    f.graph.OnLButtonDown(f.At(0.5, 0.5));
    f.graph.OnMouseMove(f.At(0.7, 0.3), true);
    EXPECT_FALSE(f.graph.m_ZoomCursor.IsNone());
    f.graph.OnKillFocus();
    EXPECT_TRUE(f.graph.m_ZoomCursor.IsNone());
    EXPECT_TRUE(AllXorLinesCancel(f.window.overlay));
}

TEST_F(ZoomTest, ReleasingRemovesExactlyWhatTheGestureDrew) {
    f.graph.OnLButtonDown(f.At(0.3, 0.7));
    for (double x = 0.35; x < 0.8; x += 0.1) f.graph.OnMouseMove(f.At(x, 0.3), true);
    EXPECT_FALSE(AllXorLinesCancel(f.window.overlay));  // the band is showing
    f.graph.OnLButtonUp(f.At(0.75, 0.3));
    EXPECT_TRUE(AllXorLinesCancel(f.window.overlay));
    f.window.overlay.Clear();
    CPoint below = f.At(0.2, 0);
    below.y += 6;
    f.graph.OnLButtonDown(below);
    f.graph.OnMouseMove(CPoint{below.x + 30, below.y}, true);
    f.graph.OnMouseMove(CPoint{below.x + 60, below.y}, true);
    f.graph.OnLButtonUp(CPoint{below.x + 60, below.y});
    EXPECT_TRUE(AllXorLinesCancel(f.window.overlay));
}

TEST_F(ZoomTest, FineWheelTurnsAddUpToOneStep) {
    Band();
    f.Paint();
    // A touchpad sends an eighth of a notch at a time: seven of them do
    // nothing, the eighth is one step out.
    for (int i = 0; i < 7; ++i) f.graph.OnWheelTurn(-15, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    f.graph.OnWheelTurn(-15, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 1");
    // A turn back starts a new sum: 90 the other way is not a step yet.
    f.graph.OnWheelTurn(-90, false, false, f.At(0.5, 0.5));
    f.graph.OnWheelTurn(90, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 1");
    f.graph.OnWheelTurn(30, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    // Two notches at once are two steps.
    Band();
    f.Paint();
    f.graph.OnWheelTurn(-240, false, false, f.At(0.5, 0.5));
    f.Paint();
    EXPECT_EQ(f.Status(), "Top Zoom Level of 2");
}

TEST_F(ZoomTest, KeyboardZoomKeepsTheCentreAndStopsAtTheFullView) {
    const double centre = 0.5 * (f.graph.m_dXMin + f.graph.m_dXMax);
    ASSERT_TRUE(f.Enabled(ID_VIEW_ZOOM_IN_CENTRE));
    EXPECT_FALSE(f.Enabled(ID_VIEW_FULL));
    f.graph.OnCommand(ID_VIEW_ZOOM_IN_CENTRE);
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 1 of 1");
    const double mid = 0.5 * (f.data.m_nStart + f.data.m_nStop) / 1000.0;
    EXPECT_NEAR(mid, centre, 0.01);
    EXPECT_NEAR(f.data.m_nStop - f.data.m_nStart, 500, 30);
    f.graph.OnCommand(ID_VIEW_ZOOM_IN_CENTRE);
    f.Paint();
    EXPECT_EQ(f.Status(), "Zoom Level 2 of 2");
    EXPECT_NEAR(f.data.m_nStop - f.data.m_nStart, 250, 30);
    EXPECT_NEAR(0.5 * (f.data.m_nStart + f.data.m_nStop) / 1000.0, centre, 0.01);

    // Out twice and once more: never beyond the whole signal.
    for (int i = 0; i < 3; ++i) {
        f.graph.OnCommand(ID_VIEW_ZOOM_OUT_CENTRE);
        f.Paint();
    }
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);

    f.graph.OnCommand(ID_VIEW_ZOOM_IN_CENTRE);
    f.Paint();
    ASSERT_TRUE(f.Enabled(ID_VIEW_FULL));
    f.graph.OnCommand(ID_VIEW_FULL);
    f.Paint();
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);
    EXPECT_EQ(f.Checked(ID_ZOOM_TOP), 1);
}

TEST_F(ZoomTest, PanningMovesByATenthAndStaysInsideTheSignal) {
    f.graph.OnCommand(ID_VIEW_ZOOM_IN_CENTRE);
    f.Paint();
    const int start = f.data.m_nStart, width = f.data.m_nStop - f.data.m_nStart;
    const int levels = f.graph.m_ZoomList.GetCount();
    f.graph.OnCommand(ID_VIEW_PAN_RIGHT);
    f.Paint();
    EXPECT_NEAR(f.data.m_nStart - start, width / 10, 6);
    EXPECT_NEAR(f.data.m_nStop - f.data.m_nStart, width, 6);
    // A move changes the shown view; it does not pile up zoom levels.
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), levels);
    f.graph.OnCommand(ID_VIEW_PAN_LEFT);
    f.Paint();
    EXPECT_NEAR(f.data.m_nStart, start, 6);

    f.graph.OnCommand(ID_VIEW_END);
    f.Paint();
    EXPECT_EQ(f.data.m_nStop, 999);
    EXPECT_NEAR(f.data.m_nStop - f.data.m_nStart, width, 6);
    f.graph.OnCommand(ID_VIEW_PAN_RIGHT);  // already at the end
    f.Paint();
    EXPECT_EQ(f.data.m_nStop, 999);
    EXPECT_NEAR(f.data.m_nStop - f.data.m_nStart, width, 6);
    f.graph.OnCommand(ID_VIEW_START);
    f.Paint();
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_NEAR(f.data.m_nStop, width, 6);

    // The moves belong to the zoomed view: Zoom Out returns to the level above it.
    f.graph.OnCommand(ID_ZOOM_OUT);
    f.Paint();
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);
    EXPECT_EQ(f.graph.m_ZoomList.GetCount(), 2);
}

TEST_F(ZoomTest, OneAxisZoomsLeaveTheOtherAlone) {
    const double y0 = f.graph.m_dYMin, y1 = f.graph.m_dYMax;
    f.graph.OnCommand(ID_VIEW_ZOOM_Y_IN);
    f.Paint();
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);
    EXPECT_LT(f.graph.m_dYMax - f.graph.m_dYMin, 0.75 * (y1 - y0));
    EXPECT_NEAR(0.5 * (f.graph.m_dYMin + f.graph.m_dYMax), 0.5 * (y0 + y1), 0.1 * (y1 - y0));
    const double ySpan = f.graph.m_dYMax - f.graph.m_dYMin;
    f.graph.OnCommand(ID_VIEW_PAN_UP);
    f.Paint();
    EXPECT_GT(f.graph.m_dYMin, 0.5 * (y0 + y1) - 0.5 * ySpan);
    EXPECT_EQ(f.data.m_nStart, 0);

    f.graph.OnCommand(ID_VIEW_ZOOM_X_IN);
    f.Paint();
    EXPECT_NEAR(f.data.m_nStop - f.data.m_nStart, 500, 30);
    f.graph.OnCommand(ID_VIEW_ZOOM_X_OUT);
    f.Paint();
    EXPECT_EQ(f.data.m_nStart, 0);
    EXPECT_EQ(f.data.m_nStop, 999);
}

TEST_F(ZoomTest, KeyboardMovesNeedData) {
    CGraph empty;
    CCmdUI ui(ID_VIEW_PAN_LEFT);
    ASSERT_TRUE(empty.OnUpdateCommand(ui));
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_FALSE(empty.Pan(0.1, 0.0));
    EXPECT_FALSE(empty.ZoomAroundCentre(0.5, true, true));
}

TEST(PlotKeys, EveryKeyCommandIsInThePlotMenuShowingItsFirstKey) {
    std::map<int, std::string> shown;
    std::function<void(const CMenuItem&)> collect = [&](const CMenuItem& item) {
        if (item.m_nId != 0 && !item.m_strKeys.empty()) shown[item.m_nId] = item.m_strKeys;
        for (const CMenuItem& child : item.m_items) collect(child);
    };
    collect(PlotMenu());
    std::map<int, std::string> first;
    for (const CPlotKey& k : PlotKeys()) {
        first.emplace(k.m_nId, k.m_pKeys);
        EXPECT_EQ(PlotKeyCommand(k.m_pKeys), k.m_nId);
    }
    EXPECT_EQ(shown, first);
    EXPECT_EQ(PlotKeyCommand("Ctrl+="), ID_VIEW_ZOOM_IN_CENTRE);
    EXPECT_EQ(PlotKeyCommand("Ctrl+Q"), 0);
}

TEST(ZoomList, PositionsAndCounts) {
    CZoomList list;
    EXPECT_EQ(list.Position(), 0);
    EXPECT_FALSE(list.ShowingTop());
    EXPECT_FALSE(list.ShowingBottom());
    CZoomData a{0, 10, {}, {}};
    list.AddLevel(a);
    EXPECT_EQ(list.Position(), 1);
    EXPECT_EQ(list.LevelsShown(), 1);
    EXPECT_TRUE(list.ShowingBottom());
    list.InsertTop(CZoomData{-5, 10, {}, {}});
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.At(0).m_dXMin, -5);
    EXPECT_EQ(list.Position(), 2);
}

}  // namespace
}  // namespace kv
