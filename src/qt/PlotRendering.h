#pragma once
#include <string>
#include <vector>

class QImage;

namespace kv {

class CKalvoData;
class CGraph;

// What a rendered plot shows.
struct CPlotRenderOptions {
    int m_nType = -1;          // 0 Inphase ... 5 Polar; -1 chosen from the data
    int m_nStyle = 0;          // 0 Auto, 1 Line ... 7 Stair
    bool m_bHistogram = false;
    int m_nDb = -1;            // magnitude in dB: 1 on, 0 off, -1 as the data suggests
    std::string m_strTitle;    // main title; empty: the data's name
    // The view, as a user would set it after the plot opened: an X range
    // (a horizontal zoom, in the data's time or frequency unit), a Y range,
    // log axes.
    bool m_bXRange = false;
    double m_dXFrom = 0.0, m_dXTo = 0.0;
    bool m_bYRange = false;
    double m_dYFrom = 0.0, m_dYTo = 0.0;
    bool m_bLogX = false;
    bool m_bLogY = false;
    int m_nColors = 0;         // colour scheme: 0 classic, 2 dark
    double m_dScale = 1.0;     // device pixels per layout pixel of a PNG
    // Markers at these X values (each on the nearest sample), with the
    // marker table drawn in the plot; at most four.
    std::vector<double> m_Markers;
};

// Paints a plot of Time or Frequency Data into an image of the given size
// (in layout pixels; the image holds size × scale pixels), without a window. Needs a QGuiApplication (RenderPlotToFile makes one when
// there is none).
// A null image with a message in *error when the options do not fit the
// data (a marker outside it).
QImage RenderPlotToImage(CKalvoData& data, const CPlotRenderOptions& options, int width, int height,
                         std::string* error = nullptr);

// Renders a plot to a PNG file, or an SVG file when the path ends in .svg
// (other image suffixes Qt knows, such as .jpg, work too). The data keeps its
// titles and name. Returns false with a message in *error when the plot
// could not be drawn or written.
bool RenderPlotToFile(CKalvoData& data, int type, int style, bool histogram, bool db, int width, int height,
                      const std::string& title, const std::string& path, std::string* error = nullptr);
bool RenderPlotToFile(CKalvoData& data, const CPlotRenderOptions& options, int width, int height,
                      const std::string& path, std::string* error = nullptr);

}  // namespace kv
