// Markers in the plot window (Ctrl+click, the docked table), Save Picture As
// and markers in rendered pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTest>

#include "app/CKalvoraDoc.h"
#include "plot/PlotCommands.h"
#include "qt/CMarkerDock.h"
#include "qt/CPlotWidget.h"
#include "qt/PlotRendering.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

double Wave(int i) { return std::sin(i * 0.02) + 0.3 * std::sin(i * 0.31); }

void MakeSignal(CKalvoData& d, int n) {
    d.Reset();
    d.m_bTime = 1;
    for (int i = 0; i < n; ++i) {
        d.Inphase().Append(Wave(i));
        d.Quadrature().Append(0.0);
    }
    d.EqualizeColumns(0.0);
    CFs fs(1000.0);
    d.ApplyFs(fs);
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kalvora-markers-" + name)).string();
}

void Click(QWidget& w, QPoint p, Qt::KeyboardModifiers mods) {
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), w.mapToGlobal(QPointF(p)), Qt::LeftButton, Qt::LeftButton,
                     mods);
    QApplication::sendEvent(&w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), w.mapToGlobal(QPointF(p)), Qt::LeftButton, Qt::NoButton,
                   mods);
    QApplication::sendEvent(&w, &up);
}

bool IsMarkerGreen(QRgb c) { return qGreen(c) > 100 && qRed(c) < 60 && qBlue(c) < 60; }

class PlotMarkerWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeSignal(doc.m_TimeData, 2000);
        main = std::make_unique<QMainWindow>();
        widget = new CPlotWidget(doc);
        main->setCentralWidget(widget);
        main->resize(800, 500);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        doc.OpenPlot(1, false, doc.m_TimeData);
        widget->repaint();
    }
    CGraph& Graph() { return widget->Graph(); }
    QPoint At(double fx, double fy) {
        return QPoint(Graph().m_nPlotLeft + static_cast<int>(fx * Graph().m_nPlotWidth),
                      Graph().m_nPlotBottom - static_cast<int>(fy * Graph().m_nPlotHeight));
    }

    test::CScriptedPlatform platform;
    CKalvoraDoc doc;
    std::unique_ptr<QMainWindow> main;
    CPlotWidget* widget = nullptr;
};

TEST_F(PlotMarkerWidgetTest, CtrlClickPlacesAMarkerAndThePlainClickDoesNot) {
    Click(*widget, At(0.3, 0.5), Qt::NoModifier);
    EXPECT_TRUE(Graph().Markers().IsEmpty());
    EXPECT_TRUE(Graph().m_ZoomList.IsEmpty());
    Click(*widget, At(0.3, 0.5), Qt::ControlModifier);
    ASSERT_EQ(Graph().Markers().Count(), 1);
    const CPlotMarkers::CRow row = Graph().MarkerRows().at(0);
    EXPECT_DOUBLE_EQ(row.m_dY, Wave(row.m_nSample));
    EXPECT_TRUE(Graph().m_ZoomList.IsEmpty());  // no zoom gesture began
    // The window draws it: marker green just above the sample.
    widget->repaint();
    const QImage& picture = widget->Picture();
    const qreal ratio = widget->devicePixelRatioF();
    const int x = Graph().XToPixel(row.m_dX), y = Graph().YToPixel(row.m_dY);
    int green = 0;
    for (int dy = -20; dy <= 0; ++dy)
        for (int dx = -6; dx <= 6; ++dx) {
            QPoint p = (QPointF(x + dx, y + dy) * ratio).toPoint();
            if (picture.rect().contains(p) && IsMarkerGreen(picture.pixel(p))) ++green;
        }
    EXPECT_GT(green, 10);
}

TEST_F(PlotMarkerWidgetTest, TheMarkerTableDocksAndFollowsTheMarkers) {
    ASSERT_TRUE(Graph().OnCommand(ID_MARKER_PEAK_HIGHEST));
    Graph().OnCommand(ID_MARKER_ADD);
    CCmdUI ui(ID_MARKER_TABLE);
    Graph().OnUpdateCommand(ui);
    EXPECT_TRUE(ui.m_bEnabled);
    Graph().OnCommand(ID_MARKER_TABLE);
    CMarkerDock* dock = main->findChild<CMarkerDock*>();
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(main->dockWidgetArea(dock), Qt::RightDockWidgetArea);
    EXPECT_EQ(dock->Plot(), widget);
    QTableWidget* table = dock->Table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 3)->text().toInt(), Graph().Markers().At(1).m_nSample);
    EXPECT_EQ(table->columnCount(), 4);
    // A reference adds the differences; the table follows at once.
    Graph().Markers().SetActive(0);
    Graph().OnCommand(ID_MARKER_REFERENCE);
    EXPECT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->horizontalHeaderItem(6)->text(), QString::fromUtf8("1/\u0394X"));
    EXPECT_FALSE(table->item(1, 6)->text().isEmpty());
    // Choosing a line makes its marker active.
    table->setCurrentCell(1, 0);
    EXPECT_EQ(Graph().Markers().Active(), 1);
    Graph().OnCommand(ID_MARKER_CLEAR);
    EXPECT_EQ(table->rowCount(), 0);
    // A closed plot leaves the table empty.
    Graph().OnCommand(ID_MARKER_ADD);
    EXPECT_EQ(table->rowCount(), 1);
    delete widget;
    widget = nullptr;
    EXPECT_EQ(dock->Plot(), nullptr);
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(PlotMarkerWidgetTest, SavePictureWritesTheWindowsPictureOrAChosenSize) {
    Graph().OnCommand(ID_MARKER_PEAK_HIGHEST);
    const QImage window = widget->RenderImage();
    const std::string png = TempPath("window.png");
    QString error;
    ASSERT_TRUE(widget->SavePicture(QString::fromStdString(png), widget->size(), &error)) << error.toStdString();
    QImage saved(QString::fromStdString(png));
    ASSERT_EQ(saved.size(), window.size());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), window.convertToFormat(QImage::Format_RGB32));

    const std::string big = TempPath("big.png");
    ASSERT_TRUE(widget->SavePicture(QString::fromStdString(big), QSize(1000, 700), &error));
    EXPECT_EQ(QImage(QString::fromStdString(big)).size(), QSize(1000, 700));

    const std::string svg = TempPath("plot.svg");
    ASSERT_TRUE(widget->SavePicture(QString::fromStdString(svg), QSize(600, 400), &error));
    std::ifstream in(svg);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("<svg"), std::string::npos);

    const std::string pdf = TempPath("plot.pdf");
    ASSERT_TRUE(widget->SavePicture(QString::fromStdString(pdf), QSize(600, 400), &error));
    std::ifstream pin(pdf, std::ios::binary);
    std::string head(5, '\0');
    pin.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);

    EXPECT_FALSE(widget->SavePicture(QStringLiteral("/nonexistent/dir/x.png"), widget->size(), &error));
    EXPECT_FALSE(error.isEmpty());
    for (const std::string& p : {png, big, svg, pdf}) std::filesystem::remove(p);
}

TEST(PlotRenderingMarkers, MarkersAndTheirTableAreDrawnAndMustLieInTheData) {
    test::CScriptedPlatform platform;
    CKalvoData data;
    MakeSignal(data, 3000);
    CPlotRenderOptions options;
    options.m_nType = PLOT_INPHASE;
    QImage plain = RenderPlotToImage(data, options, 800, 500);
    options.m_Markers = {0.5, 1.25};  // seconds
    QImage marked = RenderPlotToImage(data, options, 800, 500);
    ASSERT_FALSE(marked.isNull());
    int plainGreen = 0, markedGreen = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 800; ++x) {
            plainGreen += IsMarkerGreen(plain.pixel(x, y));
            markedGreen += IsMarkerGreen(marked.pixel(x, y));
        }
    EXPECT_EQ(plainGreen, 0);
    EXPECT_GT(markedGreen, 200);  // two markers and the table's text

    std::string error;
    options.m_Markers = {5.0};  // beyond the 3 s of data
    EXPECT_TRUE(RenderPlotToImage(data, options, 800, 500, &error).isNull());
    EXPECT_NE(error.find("outside"), std::string::npos);
    options.m_Markers = {0.1, 0.2, 0.3, 0.4, 0.5};
    EXPECT_TRUE(RenderPlotToImage(data, options, 800, 500, &error).isNull());
}

}  // namespace
}  // namespace kv
