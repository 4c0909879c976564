#include "qt/PlotRendering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "data/CKalvoData.h"
#include "data/CTitles.h"
#include "formats/FormatHelpers.h"
#include "platform/StringTable.h"
#include "plot/CGraph.h"
#include "plot/CPlotColors.h"
#include "qt/CQtDrawSurface.h"

namespace kv {

namespace {

// Sets up a graph on the data as the options say; the data's name and
// titles come back when it goes out of scope.
class CRenderGraph {
public:
    CRenderGraph(CKalvoData& data, const CPlotRenderOptions& options)
        : m_data(data), m_strName(data.m_strName), m_titles(data.m_Format.m_Titles) {
        if (!options.m_strTitle.empty()) data.m_strName = options.m_strTitle;
        int typeCode = options.m_nType >= PLOT_INPHASE && options.m_nType <= PLOT_POLAR ? options.m_nType + 1 : 0;
        int styleCode = options.m_nStyle >= 1 && options.m_nStyle <= 7 ? options.m_nStyle : 0;
        m_graph.SetColors(CPlotColors::ForScheme(options.m_nColors, false));
        m_graph.Attach(data, typeCode, styleCode);
        if (options.m_nDb >= 0) m_graph.m_bDb = options.m_nDb ? 1 : 0;
        if (options.m_bHistogram && m_graph.m_nType != PLOT_POLAR) m_graph.ToggleHistogram();
        m_options = options;
        PlaceMarkers();
    }
    // Why the plot cannot be drawn as asked (empty when it can).
    const std::string& Error() const { return m_strError; }
    ~CRenderGraph() {
        m_data.m_strName = m_strName;
        m_data.m_Format.m_Titles.m_strMain = m_titles.m_strMain;
        m_data.m_Format.m_Titles.m_strX = m_titles.m_strX;
        m_data.m_Format.m_Titles.m_strY = m_titles.m_strY;
    }
    CRenderGraph(const CRenderGraph&) = delete;
    CRenderGraph& operator=(const CRenderGraph&) = delete;

    void Paint(QPainter& painter, QSize size) {
        const bool viewOptions = m_options.m_bXRange || m_options.m_bYRange || m_options.m_bLogX ||
                                 m_options.m_bLogY;
        if (!m_bViewSet && viewOptions) {
            // The view is set up as a user would set it in the window: on
            // a plot laid out at this size.
            QImage scratch(size, QImage::Format_RGB32);
            QPainter p(&scratch);
            PaintOnce(p, size);
            SetView(size);
            m_bViewSet = true;
        }
        PaintOnce(painter, size);
    }

private:
    void PlaceMarkers() {
        if (m_options.m_Markers.empty()) return;
        if (static_cast<int>(m_options.m_Markers.size()) > CPlotMarkers::kMaxMarkers) {
            m_strError = "a plot has at most four markers";
            return;
        }
        const CKalvoData* shown = m_graph.ShownData();
        for (double x : m_options.m_Markers) {
            int32_t sample = shown ? shown->ValueToIndex(x) : 0;
            int32_t first = 0, last = -1;
            // The nearest sample, or none when X lies beyond the data by more
            // than half a sample spacing.
            const bool inside = m_graph.FullIndexRange(first, last) && std::isfinite(x) && shown &&
                                x >= shown->IndexToValue(first) - 0.5 * std::fabs(shown->IndexToValue(1) - shown->IndexToValue(0)) &&
                                x <= shown->IndexToValue(last) + 0.5 * std::fabs(shown->IndexToValue(1) - shown->IndexToValue(0));
            sample = std::clamp(sample, first, last);
            if (!inside || !m_graph.PlaceMarker(sample, 0)) {
                m_strError = "--marker " + FormatEngineering(x, 6, false) + " lies outside the data";
                return;
            }
        }
        if (m_graph.Markers().Count() > 1) m_graph.Markers().ToggleReference(0);
        m_graph.m_bMarkerTable = 1;
    }

    void PaintOnce(QPainter& painter, QSize size) {
        painter.fillRect(QRect(QPoint(0, 0), size), CQtDrawSurface::ToQColor(m_graph.Colors().m_background));
        CQtDrawSurface surface(painter, QRect(QPoint(0, 0), size));
        m_graph.Paint(surface);
    }
    void SetView(QSize size) {
        if (m_options.m_bLogX) m_graph.m_XAxis.m_bLog = 1;
        if (m_options.m_bLogY) m_graph.m_YAxis.m_bLog = 1;
        if (m_options.m_bLogX || m_options.m_bLogY) {
            m_graph.m_bResetScaling = 1;
            m_graph.Refresh();
        }
        if (m_options.m_bXRange || m_options.m_bYRange) {
            if (m_options.m_bLogX || m_options.m_bLogY) {
                QImage scratch(size, QImage::Format_RGB32);
                QPainter p(&scratch);
                PaintOnce(p, size);
            }
            m_graph.ShowRanges(m_options.m_dXFrom, m_options.m_dXTo, m_options.m_dYFrom, m_options.m_dYTo,
                               m_options.m_bXRange, m_options.m_bYRange);
        }
    }

    CPlotRenderOptions m_options;
    std::string m_strError;
    bool m_bViewSet = false;
    CKalvoData& m_data;
    std::string m_strName;
    CTitles m_titles;
    CGraph m_graph;
};

// Makes a QGuiApplication for the time of a rendering when the program has none.
class CGuiForRendering {
public:
    CGuiForRendering() {
        if (QCoreApplication::instance()) return;
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "kalvora";
        static char* argv[] = {name, nullptr};
        m_pApp = std::make_unique<QGuiApplication>(argc, argv);
    }
    bool Usable() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

private:
    std::unique_ptr<QGuiApplication> m_pApp;
};

}  // namespace

QImage RenderPlotToImage(CKalvoData& data, const CPlotRenderOptions& options, int width, int height,
                         std::string* error) {
    const double scale = options.m_dScale > 0 ? options.m_dScale : 1.0;
    QImage image(QSize(static_cast<int>(std::lround(width * scale)), static_cast<int>(std::lround(height * scale))),
                 QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.setDevicePixelRatio(scale);
    CRenderGraph graph(data, options);
    if (!graph.Error().empty()) {
        if (error) *error = graph.Error();
        return QImage();
    }
    QPainter painter(&image);
    graph.Paint(painter, QSize(width, height));
    return image;
}

bool RenderPlotToFile(CKalvoData& data, const CPlotRenderOptions& options, int width, int height,
                      const std::string& path, std::string* error) {
    auto fail = [error](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    if (width < 1 || height < 1 || width > 20000 || height > 20000) return fail("invalid picture size");
    CGuiForRendering gui;
    if (!gui.Usable()) return fail("no graphical application to render with");
    QString file = QString::fromStdString(path);
    QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == "svg") {
        QSvgGenerator generator;
        generator.setFileName(file);
        generator.setSize(QSize(width, height));
        generator.setViewBox(QRect(0, 0, width, height));
        generator.setTitle(QString::fromStdString(options.m_strTitle.empty() ? data.m_strName : options.m_strTitle));
        generator.setDescription(QString::fromStdString(LoadString(IDS_PLOT_PICTURE_DESCRIPTION)));
        CRenderGraph graph(data, options);
        if (!graph.Error().empty()) return fail(graph.Error());
        QPainter painter;
        if (!painter.begin(&generator)) return fail(FormatString(IDS_PLOT_CANNOT_OPEN_FILE, path));
        graph.Paint(painter, QSize(width, height));
        if (!painter.end()) return fail(FormatString(IDS_PLOT_CANNOT_WRITE_FILE, path));
        return true;
    }
    std::string problem;
    QImage image = RenderPlotToImage(data, options, width, height, &problem);
    if (image.isNull()) return fail(problem.empty() ? std::string("out of memory for the picture") : problem);
    const char* format = suffix.isEmpty() ? "PNG" : nullptr;
    if (!image.save(file, format)) return fail(FormatString(IDS_PLOT_CANNOT_WRITE_FILE, path));
    return true;
}

bool RenderPlotToFile(CKalvoData& data, int type, int style, bool histogram, bool db, int width, int height,
                      const std::string& title, const std::string& path, std::string* error) {
    CPlotRenderOptions options;
    options.m_nType = type;
    options.m_nStyle = style;
    options.m_bHistogram = histogram;
    options.m_nDb = db ? 1 : 0;
    options.m_strTitle = title;
    return RenderPlotToFile(data, options, width, height, path, error);
}

}  // namespace kv
