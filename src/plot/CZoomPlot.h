#pragma once
#include <cstdint>
#include <string>

#include "plot/CAxisPlot.h"
#include "plot/CZoomCursor.h"
#include "plot/CZoomList.h"

namespace kv {

// A plot that zooms: a rubber band or a pair of lines dragged with the left
// button, clicks that read out a data point, the wheel, the middle button and
// the zoom commands; each zoom keeps the previous view as a zoom level.
class CZoomPlot : public CAxisPlot {
public:
    enum Direction { ZoomNext, ZoomTop, ZoomIn, ZoomOut, ZoomBottom };

    CZoomPlot();

    // ---- virtual operations --------------------------------------------------
    virtual void ResetZoom();
    // Sets the X range of the view; returns false when it is refused.
    virtual bool SetXRange(double min, double max, bool strict);
    virtual int GetMaxZoomLevels() const;
    // The X range the view shows, for moves from the keyboard: the axis
    // range here (the graph gives the working range of its data, which the
    // axis rounds outwards).
    virtual void GetViewXRange(double& min, double& max) const;
    virtual void ShowCrossHair(int trace, int point);
    // The plotted point nearest to a pixel: its index, and the trace (1 or 2).
    virtual int FindNearestPoint(int px, int py, int& trace);
    virtual void ShowPointInfo(int point);

    void AfterDraw(IDrawSurface& dc) override;

    // ---- zooming ------------------------------------------------------------------
    // Zooms to a pixel rectangle; returns false when nothing changed.
    bool ZoomTo(const CRect& rect, bool zoomX, bool zoomY, bool showMessage);
    void Navigate(Direction direction);
    void ZoomAtPointer(int px, int py);
    // Puts a widened copy of the top level above it when the data needs more
    // room than the top level shows.
    void WidenTopLevel(double xMin, double xMax, double yMin, double yMax);
    // The status text of the zoom position ("Ready" without levels).
    std::string ZoomStatusText() const;

    // ---- keyboard view moves -------------------------------------------------------
    // Zooms around the centre of the view by a factor of its span (below 1
    // zooms in) on one or both axes, never out beyond the top level; each
    // step is a new zoom level.
    bool ZoomAroundCentre(double factor, bool zoomX, bool zoomY);
    // Moves the view by fractions of its spans (positive: to the right and
    // up), inside the top level. Moves change the view shown below the last
    // stored level instead of storing a level each.
    bool Pan(double fractionX, double fractionY);
    // Shows given X and/or Y ranges as a new zoom level (as a rubber band
    // would); returns false when nothing changed.
    bool ShowRanges(double xMin, double xMax, double yMin, double yMax, bool showX, bool showY);
    // Moves the view to the start or the end of the top level, keeping its width.
    bool PanToEnd(bool end);
    // The X and Y range of the widest view: the top level, or the view shown
    // while there are no levels.
    void FullRange(double& xMin, double& xMax, double& yMin, double& yMax) const;

    // ---- mouse and focus -----------------------------------------------------------
    void OnLButtonDown(CPoint p);
    void OnMouseMove(CPoint p, bool leftButtonDown);
    void OnLButtonUp(CPoint p);
    void OnMButtonDown(CPoint p);
    // delta > 0: wheel turned away from the user.
    virtual void OnMouseWheel(int delta, bool ctrl, bool shift, CPoint p);
    // A wheel event of a given angle (120 is one notch of a common wheel;
    // fine-resolution wheels and touchpads send fractions of it): the angles
    // are summed and every full 120 makes one wheel step.
    void OnWheelTurn(int angle, bool ctrl, bool shift, CPoint p);
    void OnContextMenu(CPoint p);
    void OnSetFocus() override;
    void OnKillFocus();
    // Removes the cursor graphics and forgets the gesture.
    void ResetCursor();

    bool DoCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

    int32_t m_bZoomFullDecade = 1;
    CZoomList m_ZoomList;
    CZoomCursor m_ZoomCursor;
    int m_nContextMenu = 0;
    int32_t m_bPendingPointer = 0;
    double m_dPendingX = 0.0;
    double m_dPendingY = 0.0;

protected:
    bool CanNavigate(int commandId) const;
    // Shows a view with new X and/or Y ranges; a new zoom level is stored
    // when asked, or when the view shown is a stored one.
    bool MoveView(double xMin, double xMax, double yMin, double yMax, bool moveX, bool moveY, bool newLevel);
    bool CanMoveView() const;
    bool HasCapture() const;
    CZoomData CurrentView() const;

private:
    bool m_bCapture = false;  // capture state when there is no window
    int m_nWheelAngle = 0;    // wheel angle not yet used for a step
};

}  // namespace kv
