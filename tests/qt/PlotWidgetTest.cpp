#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "app/CKalvoraDoc.h"
#include "plot/PlotCommands.h"
#include "qt/CPlotWidget.h"
#include "qt/CQtCommandMenu.h"
#include "qt/CQtDrawSurface.h"
#include "plot/CPlotColors.h"
#include "qt/PlotRendering.h"
#include "qt/QtPlotServices.h"
#include "support/CRecordingSurface.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

void MakeSignal(CKalvoData& d, int n, bool complex) {
    d.Reset();
    d.m_bTime = 1;
    for (int i = 0; i < n; ++i) {
        d.Inphase().Append(std::sin(i * 0.02) + 0.3 * std::sin(i * 0.31));
        d.Quadrature().Append(complex ? std::cos(i * 0.02) : 0.0);
    }
    d.EqualizeColumns(0.0);
    CFs fs(1000.0);
    d.ApplyFs(fs);
}

void Send(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

void Wheel(QWidget& w, QPoint p, int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent e(QPointF(p), w.mapToGlobal(QPointF(p)), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

bool IsDark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }
bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }

class PlotWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeSignal(doc.m_TimeData, 2000, false);
        widget = std::make_unique<CPlotWidget>(doc);
        widget->resize(640, 400);
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
        doc.OpenPlot(1, false, doc.m_TimeData);
        widget->repaint();
    }
    CGraph& Graph() { return widget->Graph(); }
    QPoint At(double fx, double fy) {
        return QPoint(Graph().m_nPlotLeft + static_cast<int>(fx * Graph().m_nPlotWidth),
                      Graph().m_nPlotBottom - static_cast<int>(fy * Graph().m_nPlotHeight));
    }
    // The picture is painted at the screen's device pixel ratio.
    QSize Device(QSize logical) const { return logical * widget->devicePixelRatioF(); }
    QPoint Device(QPoint logical) const { return (QPointF(logical) * widget->devicePixelRatioF()).toPoint(); }
    std::string Status() const { return platform.statusTexts.empty() ? "" : platform.statusTexts.back(); }

    test::CScriptedPlatform platform;
    CKalvoraDoc doc;
    std::unique_ptr<CPlotWidget> widget;
};

TEST_F(PlotWidgetTest, ShowsTheProjectsData) {
    ASSERT_EQ(Graph().m_pSource, &doc.m_TimeData);
    EXPECT_EQ(Graph().m_nType, PLOT_INPHASE);
    EXPECT_EQ(Graph().m_strMainTitle, "Generated Sine");
    const QImage& picture = widget->Picture();
    ASSERT_EQ(picture.size(), Device(QSize(640, 400)));
    int red = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            if (IsRed(picture.pixel(x, y))) ++red;
    EXPECT_GT(red, 50);
    EXPECT_EQ(Status(), "Ready");
    EXPECT_EQ(doc.GetViews().size(), 1u);
}

TEST_F(PlotWidgetTest, PrintsToAPageAndShowsThePlotAgainAfterwards) {
    const QString path = QDir::temp().filePath(QString("kv_print_%1.pdf").arg(QCoreApplication::applicationPid()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    widget->PrintTo(printer);
    // The page layout is that of the printer, far larger than the window.
    EXPECT_GT(Graph().m_nPlotWidth, 2000);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    pdf.close();
    QFile::remove(path);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 5000);

    widget->repaint();
    EXPECT_LT(Graph().m_nPlotWidth, 640);
    EXPECT_EQ(widget->Picture().size(), Device(QSize(640, 400)));
}

TEST_F(PlotWidgetTest, DraggingARubberBandZooms) {
    QImage before = widget->Picture().copy();
    QPoint a = At(0.2, 0.8), b = At(0.5, 0.2);
    Send(*widget, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    Send(*widget, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    // The band is drawn with XOR on the picture.
    EXPECT_NE(widget->Picture(), before);
    const QPoint pixel = Device(b);
    QRgb corner = widget->Picture().pixel(pixel.x(), pixel.y());
    EXPECT_NE(corner, before.pixel(pixel.x(), pixel.y()));
    Send(*widget, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
    // Erasing the band restores every pixel, corners included.
    EXPECT_EQ(widget->Picture(), before);
    EXPECT_EQ(Graph().m_ZoomList.GetCount(), 1);
    EXPECT_GT(doc.m_TimeData.m_nStart, 300);
    EXPECT_LT(doc.m_TimeData.m_nStop, 1100);
    widget->repaint();
    EXPECT_EQ(Status(), "Zoom Level 1 of 1");
    EXPECT_NE(widget->Picture(), before);

    // Middle button: back to the top.
    Send(*widget, QEvent::MouseButtonPress, At(0.5, 0.5), Qt::MiddleButton, Qt::MiddleButton);
    widget->repaint();
    EXPECT_EQ(Status(), "Top Zoom Level of 1");
    EXPECT_EQ(doc.m_TimeData.m_nStart, 0);
}

TEST_F(PlotWidgetTest, ClickingShowsAReadoutAndACrossHair) {
    QImage before = widget->Picture().copy();
    QPoint p = At(0.4, 0.5);
    Send(*widget, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Send(*widget, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Status().substr(0, 2), "X=");
    EXPECT_NE(Status().find("Max Bin="), std::string::npos);
    EXPECT_NE(widget->Picture(), before);  // cross-hair lines
    // A repaint removes them.
    widget->Invalidate();
    widget->repaint();
    EXPECT_TRUE(Graph().m_ZoomCursor.IsNone());
}

TEST_F(PlotWidgetTest, WheelZoomsAndCtrlWheelZoomsAtThePointer) {
    Wheel(*widget, At(0.5, 0.5), 120, Qt::NoModifier);  // nothing to zoom in to
    EXPECT_TRUE(Graph().m_ZoomList.IsEmpty());
    Wheel(*widget, At(0.3, 0.6), 120, Qt::ControlModifier);
    EXPECT_EQ(Graph().m_ZoomList.GetCount(), 1);
    widget->repaint();
    EXPECT_EQ(Status(), "Zoom Level 1 of 1");
    Wheel(*widget, At(0.3, 0.6), -120, Qt::NoModifier);
    widget->repaint();
    EXPECT_EQ(Status(), "Top Zoom Level of 1");
}

TEST_F(PlotWidgetTest, FineWheelEventsAddUpAndKeysMoveTheView) {
    // Eight events of an eighth of a notch each: one zoom step at the pointer.
    for (int i = 0; i < 7; ++i) Wheel(*widget, At(0.3, 0.6), 15, Qt::ControlModifier);
    EXPECT_TRUE(Graph().m_ZoomList.IsEmpty());
    Wheel(*widget, At(0.3, 0.6), 15, Qt::ControlModifier);
    EXPECT_EQ(Graph().m_ZoomList.GetCount(), 1);
    widget->repaint();
    Graph().OnCommand(ID_ZOOM_TOP);
    widget->repaint();
    ASSERT_EQ(doc.m_TimeData.m_nStart, 0);

    QTest::keyClick(widget.get(), Qt::Key_Equal, Qt::ControlModifier);
    widget->repaint();
    const int start = doc.m_TimeData.m_nStart;
    EXPECT_GT(start, 300);
    EXPECT_LT(doc.m_TimeData.m_nStop, 1700);
    QTest::keyClick(widget.get(), Qt::Key_Right);
    widget->repaint();
    EXPECT_GT(doc.m_TimeData.m_nStart, start);
    QTest::keyClick(widget.get(), Qt::Key_End);
    widget->repaint();
    EXPECT_EQ(doc.m_TimeData.m_nStop, 1999);
    QTest::keyClick(widget.get(), Qt::Key_0, Qt::ControlModifier);
    widget->repaint();
    EXPECT_EQ(doc.m_TimeData.m_nStart, 0);
    EXPECT_EQ(doc.m_TimeData.m_nStop, 1999);

    // The Plot menu shows the keys beside the commands.
    std::unique_ptr<QMenu> menu(widget->CreatePlotMenu(nullptr));
    bool shown = false;
    std::function<void(QMenu&)> find = [&](QMenu& m) {
        for (QAction* a : m.actions()) {
            if (a->menu()) find(*a->menu());
            if (a->data().toInt() == ID_VIEW_ZOOM_IN_CENTRE) shown = a->text().endsWith("\tCtrl+=");
        }
    };
    find(*menu);
    EXPECT_TRUE(shown);
}

TEST_F(PlotWidgetTest, PaintsAtTheDevicePixelRatio) {
    const QImage& picture = widget->Picture();
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), widget->size());
    EXPECT_EQ(picture.size(), widget->size() * widget->devicePixelRatioF());
}

TEST_F(PlotWidgetTest, ResizingRebuildsThePlot) {
    int width = Graph().m_nPlotWidth;
    widget->resize(900, 500);
    widget->repaint();
    EXPECT_EQ(widget->Picture().size(), Device(QSize(900, 500)));
    EXPECT_GT(Graph().m_nPlotWidth, width);
}

TEST_F(PlotWidgetTest, PlotMenuFollowsTheCommandStates) {
    std::unique_ptr<QMenu> menu(widget->CreatePlotMenu(nullptr));
    EXPECT_EQ(menu->title(), "&Plot");
    QMenu* type = nullptr;
    QAction* zoomIn = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->menu() && a->text() == "Type") type = a->menu();
        if (a->text() == "Zoom &In") zoomIn = a;
    }
    ASSERT_NE(type, nullptr);
    ASSERT_NE(zoomIn, nullptr);
    CQtCommandMenu::UpdateStates(*menu, &Graph());
    CQtCommandMenu::UpdateStates(*type, &Graph());
    EXPECT_FALSE(zoomIn->isEnabled());
    QAction* inphase = nullptr;
    QAction* magnitude = nullptr;
    QAction* quadrature = nullptr;
    for (QAction* a : type->actions()) {
        if (a->text() == "&Inphase Amplitude") inphase = a;
        if (a->text() == "Complex &Magnitude") magnitude = a;
        if (a->text() == "&Quadrature Amplitude") quadrature = a;
    }
    ASSERT_TRUE(inphase && magnitude && quadrature);
    EXPECT_TRUE(inphase->isChecked());
    EXPECT_FALSE(quadrature->isEnabled());  // real data
    magnitude->trigger();
    EXPECT_EQ(Graph().m_nType, PLOT_MAGNITUDE);
}

TEST_F(PlotWidgetTest, CopyImagePutsPngAndSvgOnTheClipboard) {
    Graph().OnCommand(ID_PLOT_COPY_IMAGE);
    ASSERT_GT(platform.clipboardPng.size(), 8u);
    EXPECT_EQ(platform.clipboardPng.substr(1, 3), "PNG");
    QImage png;
    ASSERT_TRUE(png.loadFromData(reinterpret_cast<const uchar*>(platform.clipboardPng.data()),
                                 static_cast<int>(platform.clipboardPng.size()), "PNG"));
    EXPECT_EQ(png.size(), Device(QSize(640, 400)));
    EXPECT_NE(platform.clipboardSvg.find("<svg"), std::string::npos);
    EXPECT_NE(platform.clipboardSvg.find("Kalvo Plot"), std::string::npos);
    EXPECT_NE(platform.clipboardSvg.find("Generated Sine"), std::string::npos);
}

TEST_F(PlotWidgetTest, ClosingTheWidgetDetachesTheGraph) {
    widget.reset();
    EXPECT_TRUE(doc.GetViews().empty());
}

TEST(QtDrawSurface, LinesLeaveOutTheirEndAndXorRestores) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CQtDrawSurface dc(painter, image.rect());
        dc.SelectPen(CPen{PenStyle::Solid, 1, Rgb(0, 0, 0)});
        dc.MoveTo(0, 5);
        dc.LineTo(10, 5);
    }
    EXPECT_TRUE(IsDark(image.pixel(0, 5)));
    EXPECT_TRUE(IsDark(image.pixel(9, 5)));
    EXPECT_FALSE(IsDark(image.pixel(10, 5)));
    {
        // Leftward and upward too: the start is painted, the end is not.
        QPainter painter(&image);
        CQtDrawSurface dc(painter, image.rect());
        dc.SelectPen(CPen{PenStyle::Solid, 1, Rgb(0, 0, 0)});
        dc.MoveTo(30, 8);
        dc.LineTo(20, 8);
        dc.LineTo(20, 1);
    }
    EXPECT_TRUE(IsDark(image.pixel(30, 8)));
    EXPECT_TRUE(IsDark(image.pixel(21, 8)));
    EXPECT_TRUE(IsDark(image.pixel(20, 8)));  // start of the upward line
    EXPECT_TRUE(IsDark(image.pixel(20, 2)));
    EXPECT_FALSE(IsDark(image.pixel(20, 1)));
    EXPECT_FALSE(IsDark(image.pixel(31, 8)));
    QImage before = image.copy();
    for (int pass = 0; pass < 2; ++pass) {
        {
            QPainter painter(&image);
            CQtDrawSurface dc(painter, image.rect());
            dc.SelectPen(CPen{PenStyle::Solid, 1, Rgb(209, 115, 168)});
            dc.SetRasterOp(RasterOp::XorPen);
            dc.MoveTo(2, 2);
            dc.LineTo(30, 2);
            dc.LineTo(30, 15);
            dc.LineTo(2, 15);
            dc.LineTo(2, 2);
        }
        if (pass == 0) {
            EXPECT_NE(image, before);
            EXPECT_NE(image.pixel(30, 2), before.pixel(30, 2));  // each corner exactly once
        }
    }
    EXPECT_EQ(image, before);
}

TEST(QtDrawSurface, TextAlignmentAndMeasure) {
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    CSize s;
    {
        QPainter painter(&image);
        CQtDrawSurface dc(painter, image.rect());
        CFontDesc font;
        font.m_nHeight = 20;
        ASSERT_TRUE(dc.SelectFont(font));
        CFontDesc none;
        none.m_nHeight = 0;
        EXPECT_FALSE(dc.SelectFont(none));
        EXPECT_GE(dc.GetCurrentFont().m_nHeight, 18);
        s = dc.GetTextExtent("WWWW");
        EXPECT_GT(s.cx, 20);
        EXPECT_GE(s.cy, 18);
        dc.SetTextColor(Rgb(0, 0, 0));
        dc.SetTextAlign(TextAlign::RightBottom);
        dc.TextOut(150, 50, "WWWW");
    }
    // The text lies left of x = 150 and above y = 50.
    int right = -1, bottom = -1, left = 1000;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsDark(image.pixel(x, y))) {
                right = std::max(right, x);
                left = std::min(left, x);
                bottom = std::max(bottom, y);
            }
    EXPECT_LE(right, 150);
    EXPECT_GE(right, 140);
    EXPECT_LE(bottom, 50);
    EXPECT_GE(bottom, 40);
    EXPECT_NEAR(left, 150 - s.cx, 4);
}

std::string TempFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kalvora_qt_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

TEST(PlotRendering, PngLayoutMatchesTheRecordedCalls) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    MakeSignal(data, 5000, true);
    data.m_strName = "Render";
    std::string path = TempFile("plot.png");
    std::string error;
    ASSERT_TRUE(RenderPlotToFile(data, PLOT_I_AND_Q, 0, false, false, 800, 500, "", path, &error)) << error;
    QImage png(QString::fromStdString(path));
    ASSERT_EQ(png.size(), QSize(800, 500));
    // Rendering leaves the data's name and titles as they were.
    EXPECT_EQ(data.m_strName, "Render");
    EXPECT_EQ(data.m_Format.m_Titles.m_strX, "");

    // The same plot on a recording surface over a Qt image: the same fonts
    // give the same layout.
    QImage image(800, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CGraph graph;
    graph.Attach(data, PLOT_I_AND_Q + 1, 0);
    graph.m_bDb = 0;
    test::CRecordingSurface dc(800, 500);
    {
        CQtDrawSurface qt(painter, image.rect());
        test::CRecordingSurface recorder(800, 500, &qt);
        graph.Paint(recorder);
        dc.calls = recorder.calls;
    }
    painter.end();
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), image);

    // The axis lines are black where they were drawn (traces may cross them).
    int axisChecks = 0, samples = 0, dark = 0;
    for (const auto& l : dc.Lines()) {
        if (l.pen.m_color != 0 || l.pen.m_style != PenStyle::Solid || l.rop != RasterOp::CopyPen) continue;
        if (l.x1 == graph.m_nPlotLeft && l.x2 == graph.m_nPlotLeft && l.y1 == graph.m_nPlotBottom) {
            for (int y = l.y2 + 1; y <= l.y1; y += 13, ++samples) dark += IsDark(png.pixel(l.x1, y));
            ++axisChecks;
        }
        if (l.y1 == graph.m_nPlotBottom && l.y2 == graph.m_nPlotBottom && l.x2 - l.x1 > 100) {
            for (int x = l.x1; x < l.x2; x += 17, ++samples) dark += IsDark(png.pixel(x, l.y1));
            ++axisChecks;
        }
    }
    EXPECT_GE(axisChecks, 2);
    EXPECT_GT(samples, 40);
    EXPECT_GE(dark, samples * 9 / 10);
    // Nothing is drawn left of the Y title or below the X title.
    for (int y = 0; y < 500; ++y) EXPECT_EQ(png.pixel(0, y), qRgb(255, 255, 255));
    // Trace segments start on a painted pixel.
    int traceChecks = 0;
    for (const auto& l : dc.LinesInColor(Rgb(255, 0, 0))) {
        if (l.x1 == l.x2 && l.y1 == l.y2) continue;
        EXPECT_NE(png.pixel(l.x1, l.y1), qRgb(255, 255, 255)) << l.x1 << "," << l.y1;
        ++traceChecks;
    }
    EXPECT_GT(traceChecks, 0);
    // Every label was drawn where it was placed: dark pixels near its anchor.
    for (const auto& t : dc.Texts()) {
        if (t.font.m_nEscapement != 0 || t.text.empty()) continue;
        bool ink = false;
        for (int y = t.y1 - t.font.m_nHeight; y <= t.y1 + 2 && !ink; ++y)
            for (int x = t.x1 - 40; x <= t.x1 + 40 && !ink; ++x)
                if (x >= 0 && y >= 0 && x < 800 && y < 500 && IsDark(png.pixel(x, y))) ink = true;
        EXPECT_TRUE(ink) << t.text;
    }
    EXPECT_TRUE(dc.HasText("I"));
    EXPECT_TRUE(dc.HasText("Render"));
    std::filesystem::remove(path);
}

// The average colour of each block x block square of a picture.
QImage BlockAverage(const QImage& image, int block) {
    QImage small(image.width() / block, image.height() / block, QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < block; ++dy)
                for (int dx = 0; dx < block; ++dx) {
                    QRgb c = image.pixel(block * x + dx, block * y + dy);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            const int n = block * block;
            small.setPixel(x, y, qRgb(r / n, g / n, b / n));
        }
    return small;
}

TEST(PlotRendering, TwiceTheScaleIsTheSamePictureAtTwiceThePixels) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    MakeSignal(data, 3000, true);
    CPlotRenderOptions options;
    options.m_nType = PLOT_I_AND_Q;
    QImage one = RenderPlotToImage(data, options, 600, 400);
    options.m_dScale = 2.0;
    QImage two = RenderPlotToImage(data, options, 600, 400);
    ASSERT_EQ(two.size(), QSize(1200, 800));
    // Compared over squares of 4 x 4 layout pixels: lines and fills land in the
    // same places at the same weight; text and slanted lines are drawn finer.
    QImage a4 = BlockAverage(one.convertToFormat(QImage::Format_RGB32), 4);
    QImage b4 = BlockAverage(two.convertToFormat(QImage::Format_RGB32), 8);
    ASSERT_EQ(a4.size(), b4.size());
    double difference = 0;
    for (int y = 0; y < a4.height(); ++y)
        for (int x = 0; x < a4.width(); ++x) {
            QRgb a = a4.pixel(x, y), b = b4.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(difference / (a4.width() * a4.height() * 3.0), 4.0);
}

TEST(PlotRendering, ViewOptionsActAsTheUsersZoomAndAxes) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    MakeSignal(data, 4000, false);
    CPlotRenderOptions options;
    options.m_nType = PLOT_INPHASE;
    options.m_bXRange = true;
    options.m_dXFrom = 1.0;  // seconds: samples 1000 ... 2000 at 1 kHz
    options.m_dXTo = 2.0;
    QImage image = RenderPlotToImage(data, options, 600, 400);
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(data.m_nStart, 1000, 2);
    EXPECT_NEAR(data.m_nStop, 2000, 2);

    // Dark colours: the background is dark, and the text stays legible on it.
    data.ResetRange();
    options = CPlotRenderOptions{};
    options.m_nColors = CPlotColors::Dark;
    image = RenderPlotToImage(data, options, 600, 400);
    const CPlotColors dark = CPlotColors::DarkColors();
    const QRgb corner = image.pixel(1, 1);
    EXPECT_EQ(qRed(corner), RedOf(dark.m_background));
    EXPECT_EQ(qGreen(corner), GreenOf(dark.m_background));
    EXPECT_EQ(qBlue(corner), BlueOf(dark.m_background));
    int light = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x) light += qGray(image.pixel(x, y)) > 180;
    EXPECT_GT(light, 200);  // labels, titles and axes in light colours
}

TEST(PlotRendering, SvgFilesAndErrors) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    MakeSignal(data, 300, false);
    std::string path = TempFile("plot.svg");
    std::string error;
    ASSERT_TRUE(RenderPlotToFile(data, PLOT_INPHASE, STYLE_BAR, true, false, 600, 400, "Histogram Test", path, &error))
        << error;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("<svg"), std::string::npos);
    EXPECT_NE(text.str().find("Histogram of Histogram Test"), std::string::npos);
    EXPECT_NE(text.str().find("Number of Samples"), std::string::npos);
    std::filesystem::remove(path);

    EXPECT_FALSE(RenderPlotToFile(data, 0, 0, false, false, 0, 400, "", TempFile("x.png"), &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(RenderPlotToFile(data, 0, 0, false, false, 300, 200, "", "/nonexistent/dir/x.png", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(PlotWidgetTest, ContextMenuSendsTheChosenCommand) {
    InstallQtPlotServices(platform.Platform());
    bool shown = false;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        shown = true;
        for (QAction* a : menu->actions())
            if (a->text() == "Copy Data") {
                EXPECT_TRUE(a->isEnabled());
                menu->setActiveAction(a);
            }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QPoint p = At(0.5, 0.5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, widget->mapToGlobal(p));
    QApplication::sendEvent(widget.get(), &event);
    EXPECT_TRUE(shown);
    EXPECT_NE(platform.clipboardText.find("\t"), std::string::npos);
    platform.Platform().SetContextMenus(nullptr);
    platform.Platform().SetFontChooser(nullptr);
}

}  // namespace
}  // namespace kv
