#pragma once
#include <memory>

#include <QImage>
#include <QWidget>

#include "platform/IViewWindow.h"
#include "plot/CGraph.h"

class QMenu;
class QString;
class QPainter;
class QPrinter;

namespace kv {

class CKalvoraDoc;
class CQtDrawSurface;

// The plot window: a widget that shows a signal graph (CGraph) of a project.
// It attaches the graph to the document as a view, paints it through an
// image (so that the zoom cursor can be drawn with XOR between repaints),
// passes mouse, wheel, focus and context-menu events to it, and gives it
// the window services it needs (capture, pointer, printing, pictures).
class CPlotWidget : public QWidget, public IViewWindow {
    Q_OBJECT
public:
    // A plot of a project: the graph becomes a view of the document.
    explicit CPlotWidget(CKalvoraDoc& doc, QWidget* parent = nullptr);
    // A plot without a document (attach data with Graph().Attach).
    explicit CPlotWidget(QWidget* parent = nullptr);
    ~CPlotWidget() override;

    CGraph& Graph() { return m_graph; }
    const CGraph& Graph() const { return m_graph; }
    // The "&Plot" menu, bound to this plot's commands.
    QMenu* CreatePlotMenu(QWidget* parent);
    // The last painted picture of the plot (the window's contents).
    const QImage& Picture() const { return m_image; }
    // Paints the plot into a new image of the widget's size (for tests and
    // Copy Image).
    QImage RenderImage();
    // Paints the plot on a printer page.
    void PrintTo(QPrinter& printer);
    // Writes the picture of the plot to a PNG, SVG or PDF file (by the
    // file's suffix; other image suffixes Qt knows work too) of a size in
    // layout pixels: at the window's size, a PNG is the window's picture,
    // pixel for pixel. Returns false with a message in *error.
    bool SavePicture(const QString& path, const QSize& size, QString* error = nullptr);
    // Plot > Save Picture As: asks for the file and the size.
    void SavePictureAs();
    // Takes the colours of the "Plot colours" preference (Follow desktop:
    // dark when the application's palette is).
    void ApplyColorPreference();
    // Every plot window takes the preferences again (after the Preferences
    // dialog changed them).
    static void ApplyPreferencesToAll();

    // Shows the main window's marker table (docked on its right), following
    // this plot; without a main window it floats.
    void ShowMarkerTable();

    // ---- IViewWindow ------------------------------------------------------
    void Invalidate() override;
    IDrawSurface* BeginDirectDraw() override;
    void EndDirectDraw() override;
    void SetCapture() override { m_bCapture = true; }
    void ReleaseCapture() override { m_bCapture = false; }
    bool HasCapture() const override { return m_bCapture; }
    CRect GetClientRect() const override;
    CSize GetWindowSize() const override;
    CPoint ClientToScreen(CPoint p) const override;
    void SetPointerPos(int x, int y) override;
    void Wait(int milliseconds) override;
    bool RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& pngBytes,
                       std::string& svgText) override;
    void Print(bool preview) override;
    void PrintSetup() override;

    QSize sizeHint() const override { return QSize(640, 400); }

signals:
    // The plot's markers changed (placed, moved, removed, or the data under them).
    void markersChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetUp();
    void PaintInto(QPainter& painter, const QSize& size);
    // An image of the widget's size at the device pixel ratio.
    QImage NewImage() const;
    QPrinter& Printer();
    Color TextColor() const;

    CKalvoraDoc* m_pDoc = nullptr;
    CGraph m_graph;
    QImage m_image;
    bool m_bDirty = true;
    bool m_bCapture = false;
    bool m_bMarkerClick = false;  // the left button went down with Ctrl
    std::unique_ptr<QPainter> m_pDirectPainter;
    std::unique_ptr<CQtDrawSurface> m_pDirectSurface;
    std::unique_ptr<QPrinter> m_pPrinter;
};

}  // namespace kv
