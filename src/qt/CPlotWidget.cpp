#include "qt/CPlotWidget.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QCursor>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QPdfWriter>
#include <QRadioButton>
#include <QSpinBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QThread>
#include <QWheelEvent>

#include "app/CKalvoraDoc.h"
#include "app/CPreferences.h"
#include "platform/StringTable.h"
#include "plot/PlotCommands.h"
#include "plot/PlotMenus.h"
#include "qt/CMarkerDock.h"
#include "qt/CQtCommandMenu.h"
#include "qt/CQtDrawSurface.h"

namespace kv {

CPlotWidget::CPlotWidget(CKalvoraDoc& doc, QWidget* parent) : QWidget(parent), m_pDoc(&doc) {
    SetUp();
    doc.AddView(m_graph);
}

CPlotWidget::CPlotWidget(QWidget* parent) : QWidget(parent) { SetUp(); }

CPlotWidget::~CPlotWidget() {
    EndDirectDraw();
    m_graph.m_OnMarkersChanged = nullptr;
    m_graph.m_WindowCommand = nullptr;
    if (m_pDoc && m_graph.GetDocument()) m_pDoc->RemoveView(m_graph);
    m_graph.SetWindow(nullptr);
}

void CPlotWidget::SetUp() {
    m_graph.SetWindow(this);
    m_graph.m_OnMarkersChanged = [this] { emit markersChanged(); };
    m_graph.m_WindowCommand = [this](int id) {
        if (id == ID_MARKER_TABLE)
            ShowMarkerTable();
        else if (id == ID_PLOT_SAVE_PICTURE)
            SavePictureAs();
    };
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
    ApplyColorPreference();
}

void CPlotWidget::ApplyColorPreference() {
    const bool dark = QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
    const CPlotColors colors = CPlotColors::ForScheme(CPreferences::StoredPlotColors(), dark);
    const CPlotColors& now = m_graph.Colors();
    if (colors.m_background == now.m_background && colors.m_text == now.m_text && colors.m_inphase == now.m_inphase)
        return;
    m_graph.SetColors(colors);
    m_graph.Refresh();
}

void CPlotWidget::ApplyPreferencesToAll() {
    for (QWidget* w : QApplication::allWidgets())
        if (auto* plot = qobject_cast<CPlotWidget*>(w)) plot->ApplyColorPreference();
}

void CPlotWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Follow desktop: the desktop may have turned dark or light.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        ApplyColorPreference();
}

QMenu* CPlotWidget::CreatePlotMenu(QWidget* parent) {
    CGraph* graph = &m_graph;
    return CQtCommandMenu::Create(PlotMenu(), [graph]() -> ICommandTarget* { return graph; }, parent);
}

Color CPlotWidget::TextColor() const {
    // The plot is drawn on white; a light window text colour (a dark theme)
    // would not show on it.
    QColor c = palette().color(QPalette::WindowText);
    return c.lightness() < 128 ? Rgb(c.red(), c.green(), c.blue()) : Rgb(0, 0, 0);
}

void CPlotWidget::PaintInto(QPainter& painter, const QSize& size) {
    painter.fillRect(QRect(QPoint(0, 0), size), CQtDrawSurface::ToQColor(m_graph.Colors().m_background));
    CQtDrawSurface surface(painter, QRect(QPoint(0, 0), size), false, size, logicalDpiX(), logicalDpiY());
    surface.SetWindowTextColor(TextColor());
    m_graph.Paint(surface);
}

QImage CPlotWidget::NewImage() const {
    // The layout is made in logical pixels; the picture holds the device's
    // pixels, so text and lines are drawn at the screen's resolution.
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

QImage CPlotWidget::RenderImage() {
    QImage image = NewImage();
    QPainter painter(&image);
    PaintInto(painter, size());
    return image;
}

void CPlotWidget::paintEvent(QPaintEvent*) {
    if (m_bDirty || m_image.deviceIndependentSize().toSize() != size() ||
        m_image.devicePixelRatio() != devicePixelRatioF()) {
        EndDirectDraw();
        m_image = NewImage();
        m_bDirty = false;
        QPainter painter(&m_image);
        PaintInto(painter, size());
    }
    QPainter screen(this);
    screen.drawImage(0, 0, m_image);
}

void CPlotWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_bDirty = true;
    m_graph.OnSize();
}

void CPlotWidget::Invalidate() {
    m_bDirty = true;
    update();
}

IDrawSurface* CPlotWidget::BeginDirectDraw() {
    if (m_image.isNull() || m_pDirectPainter) return nullptr;
    m_pDirectPainter = std::make_unique<QPainter>(&m_image);
    m_pDirectSurface = std::make_unique<CQtDrawSurface>(*m_pDirectPainter, rect());
    return m_pDirectSurface.get();
}

void CPlotWidget::EndDirectDraw() {
    if (!m_pDirectPainter) return;
    m_pDirectSurface.reset();
    m_pDirectPainter.reset();
    update();
}

CRect CPlotWidget::GetClientRect() const { return CRect{0, 0, width(), height()}; }

CSize CPlotWidget::GetWindowSize() const { return CSize{width(), height()}; }

CPoint CPlotWidget::ClientToScreen(CPoint p) const {
    QPoint g = mapToGlobal(QPoint(p.x, p.y));
    return CPoint{g.x(), g.y()};
}

void CPlotWidget::SetPointerPos(int x, int y) { QCursor::setPos(mapToGlobal(QPoint(x, y))); }

void CPlotWidget::Wait(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

bool CPlotWidget::RecordPicture(const std::function<void(IDrawSurface&)>& paint, std::string& pngBytes,
                                std::string& svgText) {
    QSize s = size();
    if (s.isEmpty()) return false;
    const QColor background = CQtDrawSurface::ToQColor(m_graph.Colors().m_background);
    {
        QImage image = NewImage();
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(0, 0), s), background);
        {
            CQtDrawSurface surface(painter, QRect(QPoint(0, 0), s), false, s, logicalDpiX(), logicalDpiY());
            surface.SetWindowTextColor(TextColor());
            paint(surface);
        }
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return false;
        pngBytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(s);
        generator.setViewBox(QRect(QPoint(0, 0), s));
        generator.setDescription(QString::fromStdString(LoadString(IDS_PLOT_PICTURE_DESCRIPTION)));
        QPainter painter(&generator);
        painter.fillRect(QRect(QPoint(0, 0), s), background);
        {
            CQtDrawSurface surface(painter, QRect(QPoint(0, 0), s), false, s, logicalDpiX(), logicalDpiY());
            surface.SetWindowTextColor(TextColor());
            paint(surface);
        }
        painter.end();
        svgText.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    return true;
}

QPrinter& CPlotWidget::Printer() {
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_pPrinter->setPageOrientation(QPageLayout::Landscape);
    }
    return *m_pPrinter;
}

void CPlotWidget::PrintTo(QPrinter& printer) {
    QPainter painter(&printer);
    QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    QSize s = page.size();
    {
        CQtDrawSurface surface(painter, QRect(QPoint(0, 0), s), true, s, printer.logicalDpiX(),
                               printer.logicalDpiY());
        m_graph.Paint(surface);
    }
    painter.end();
    // The printed repaint reset the cursor; the screen shows the plot again.
    Invalidate();
}

void CPlotWidget::Print(bool preview) {
    QPrinter& printer = Printer();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintTo(*p); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void CPlotWidget::PrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

bool CPlotWidget::SavePicture(const QString& path, const QSize& size, QString* error) {
    auto fail = [error](const QString& message) {
        if (error) *error = message;
        return false;
    };
    if (size.width() < 1 || size.height() < 1 || size.width() > 20000 || size.height() > 20000)
        return fail(tr("The picture size must be from 1 to 20000 pixels each way."));
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString cannotWrite = QString::fromStdString(FormatString(IDS_PLOT_CANNOT_WRITE_FILE, path.toStdString()));
    const QColor background = CQtDrawSurface::ToQColor(m_graph.Colors().m_background);
    bool written = false;
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(QString::fromStdString(m_graph.m_strMainTitle));
        generator.setDescription(QString::fromStdString(LoadString(IDS_PLOT_PICTURE_DESCRIPTION)));
        QPainter painter;
        if (!painter.begin(&generator)) return fail(cannotWrite);
        PaintInto(painter, size);
        written = painter.end();
    } else if (suffix == QLatin1String("pdf")) {
        // A page of the picture's size, a point for each layout pixel.
        QPdfWriter pdf(path);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QString::fromStdString(m_graph.m_strMainTitle));
        QPainter painter;
        if (!painter.begin(&pdf)) return fail(cannotWrite);
        PaintInto(painter, size);
        written = painter.end();
    } else {
        // At the window's size the window's picture (at the screen's pixel
        // ratio); at another size exactly the pixels asked for.
        QImage image;
        if (size == this->size()) {
            image = NewImage();
        } else {
            image = QImage(size, QImage::Format_RGB32);
        }
        if (image.isNull()) return fail(tr("There is not enough memory for a picture of this size."));
        {
            QPainter painter(&image);
            painter.fillRect(QRect(QPoint(0, 0), size), background);
            PaintInto(painter, size);
        }
        written = image.save(path, suffix.isEmpty() ? "PNG" : nullptr);
    }
    // The picture's repaint made the points for its size; the window makes
    // its own again.
    Invalidate();
    return written ? true : fail(cannotWrite);
}

void CPlotWidget::SavePictureAs() {
    if (!m_graph.HasData()) return;
    QString selected;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Picture As"), QString(),
        tr("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"), &selected);
    if (path.isEmpty()) return;
    QString file = path;
    if (QFileInfo(file).suffix().isEmpty()) {
        // The suffix of the chosen type.
        if (selected.contains(QLatin1String("*.svg")))
            file += QLatin1String(".svg");
        else if (selected.contains(QLatin1String("*.pdf")))
            file += QLatin1String(".pdf");
        else
            file += QLatin1String(".png");
    }
    QDialog ask(this);
    ask.setWindowTitle(tr("Picture Size"));
    auto* layout = new QFormLayout(&ask);
    auto* windowSize = new QRadioButton(tr("&Window size (%1 x %2)").arg(width()).arg(height()), &ask);
    auto* chosen = new QRadioButton(tr("&Chosen size:"), &ask);
    auto* w = new QSpinBox(&ask);
    auto* h = new QSpinBox(&ask);
    w->setRange(16, 20000);
    h->setRange(16, 20000);
    w->setValue(width());
    h->setValue(height());
    w->setSuffix(tr(" px wide"));
    h->setSuffix(tr(" px high"));
    windowSize->setChecked(true);
    w->setEnabled(false);
    h->setEnabled(false);
    connect(chosen, &QRadioButton::toggled, w, &QWidget::setEnabled);
    connect(chosen, &QRadioButton::toggled, h, &QWidget::setEnabled);
    layout->addRow(windowSize);
    layout->addRow(chosen);
    layout->addRow(w);
    layout->addRow(h);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    layout->addRow(buttons);
    if (ask.exec() != QDialog::Accepted) return;
    const QSize pictureSize = chosen->isChecked() ? QSize(w->value(), h->value()) : size();
    QString error;
    if (!SavePicture(file, pictureSize, &error)) QMessageBox::warning(this, tr("Save Picture As"), error);
}

void CPlotWidget::ShowMarkerTable() {
    auto* main = qobject_cast<QMainWindow*>(window());
    CMarkerDock* dock = main ? main->findChild<CMarkerDock*>() : findChild<CMarkerDock*>();
    if (!dock) {
        if (main) {
            dock = new CMarkerDock(main);
            main->addDockWidget(Qt::RightDockWidgetArea, dock);
        } else {
            dock = new CMarkerDock(this);
            dock->setFloating(true);
        }
    }
    dock->Follow(this);
    dock->show();
    dock->raise();
}

// ---------------------------------------------------------------------------
// Events

namespace {

CPoint ToPoint(const QPointF& p) { return CPoint{static_cast<int>(p.x()), static_cast<int>(p.y())}; }

}  // namespace

void CPlotWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        // Ctrl+click places a marker on the trace.
        m_graph.PlaceMarkerAt(ToPoint(event->position()));
        m_bMarkerClick = true;
    } else if (event->button() == Qt::LeftButton)
        m_graph.OnLButtonDown(ToPoint(event->position()));
    else if (event->button() == Qt::MiddleButton)
        m_graph.OnMButtonDown(ToPoint(event->position()));
    else
        QWidget::mousePressEvent(event);
}

void CPlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_bMarkerClick) return;
    m_graph.OnMouseMove(ToPoint(event->position()), (event->buttons() & Qt::LeftButton) != 0);
}

void CPlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_bMarkerClick)
        m_bMarkerClick = false;
    else if (event->button() == Qt::LeftButton)
        m_graph.OnLButtonUp(ToPoint(event->position()));
    else
        QWidget::mouseReleaseEvent(event);
}

void CPlotWidget::wheelEvent(QWheelEvent* event) {
    QPoint angle = event->angleDelta();
    // Some platforms turn a wheel with Shift held into a horizontal one.
    int delta = angle.y() != 0 ? angle.y() : angle.x();
    Qt::KeyboardModifiers mods = event->modifiers();
    m_graph.OnWheelTurn(delta, (mods & Qt::ControlModifier) != 0, (mods & Qt::ShiftModifier) != 0,
                         ToPoint(event->position()));
    event->accept();
}

void CPlotWidget::keyPressEvent(QKeyEvent* event) {
    // The number pad's keys count as the main ones.
    QKeyCombination keys(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    const std::string text = QKeySequence(keys).toString(QKeySequence::PortableText).toStdString();
    const int id = PlotKeyCommand(text);
    if (id == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_graph.OnCommand(id);
    event->accept();
}

void CPlotWidget::contextMenuEvent(QContextMenuEvent* event) {
    m_graph.OnContextMenu(CPoint{event->pos().x(), event->pos().y()});
    event->accept();
}

void CPlotWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_graph.OnSetFocus();
    // An open marker table follows the plot with the focus.
    if (auto* main = qobject_cast<QMainWindow*>(window()))
        if (CMarkerDock* dock = main->findChild<CMarkerDock*>()) dock->Follow(this);
}

void CPlotWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_graph.OnKillFocus();
}

}  // namespace kv
