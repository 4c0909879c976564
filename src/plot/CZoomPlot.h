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

    // ---- mouse and focus -----------------------------------------------------------
    void OnLButtonDown(CPoint p);
    void OnMouseMove(CPoint p, bool leftButtonDown);
    void OnLButtonUp(CPoint p);
    void OnMButtonDown(CPoint p);
    // delta > 0: wheel turned away from the user.
    virtual void OnMouseWheel(int delta, bool ctrl, bool shift, CPoint p);
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
    bool HasCapture() const;
    CZoomData CurrentView() const;

private:
    bool m_bCapture = false;  // capture state when there is no window
};

}  // namespace kv
