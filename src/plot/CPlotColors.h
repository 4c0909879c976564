#pragma once
#include <cstdint>

#include "platform/DrawTypes.h"

namespace kv {

// Text drawn in this colour takes the platform's window text colour.
inline constexpr Color kPlatformTextColor = 0xFF000000u;

// The colours a plot is drawn in: a scheme for every element, so that each
// stays legible on the background of the scheme.
struct CPlotColors {
    enum Scheme : int32_t { Classic = 0, FollowDesktop = 1, Dark = 2 };

    Color m_background = Rgb(255, 255, 255);
    Color m_text = kPlatformTextColor;
    Color m_axis = Rgb(0, 0, 0);        // axes, zero lines, tic marks, bar outlines
    Color m_grid = Rgb(160, 160, 160);  // dotted grid lines
    Color m_inphase = Rgb(255, 0, 0);   // the first trace (and single traces)
    Color m_quadrature = Rgb(0, 0, 255);
    Color m_cursor = Rgb(209, 115, 168);  // the XOR pen of the zoom cursor
    Color m_marker = Rgb(0, 128, 0);
    Color m_dotFill = Rgb(255, 255, 255);  // inside the dots of dotted traces

    // White background with the classic colours.
    static CPlotColors ClassicColors() { return CPlotColors{}; }
    // Light elements on a dark background.
    static CPlotColors DarkColors() {
        CPlotColors c;
        c.m_background = Rgb(30, 30, 34);
        c.m_text = Rgb(230, 230, 230);
        c.m_axis = Rgb(200, 200, 200);
        c.m_grid = Rgb(110, 110, 118);
        c.m_inphase = Rgb(255, 110, 100);
        c.m_quadrature = Rgb(110, 170, 255);
        c.m_cursor = Rgb(209, 115, 168);
        c.m_marker = Rgb(120, 230, 120);
        c.m_dotFill = Rgb(30, 30, 34);
        return c;
    }
    // The colours of a scheme; Follow Desktop is dark when the desktop is.
    static CPlotColors ForScheme(int scheme, bool desktopIsDark) {
        if (scheme == Dark || (scheme == FollowDesktop && desktopIsDark)) return DarkColors();
        return ClassicColors();
    }

    // Relative luminance and contrast ratio as the WCAG define them (1 to 21).
    static double Luminance(Color c);
    static double Contrast(Color a, Color b);
};

}  // namespace kv
