#pragma once
#include <QDockWidget>
#include <QPointer>

class QTableWidget;

namespace kv {

class CPlotWidget;

// The dockable marker table of the main window: a line per marker of the
// plot that last had the focus (X, Y, sample index and, against the
// reference marker, dX, dY and 1/dX). Clicking a line makes that marker
// the active one.
class CMarkerDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CMarkerDock(QWidget* parent = nullptr);

    // Shows the markers of a plot from now on.
    void Follow(CPlotWidget* plot);
    CPlotWidget* Plot() const { return m_pPlot; }
    // Reads the markers of the followed plot again.
    void Refresh();
    QTableWidget* Table() const { return m_pTable; }

private:
    QPointer<CPlotWidget> m_pPlot;
    QMetaObject::Connection m_connection;
    QMetaObject::Connection m_gone;
    QTableWidget* m_pTable = nullptr;
    bool m_bFilling = false;
};

}  // namespace kv
