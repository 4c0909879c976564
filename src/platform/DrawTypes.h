#pragma once
#include <cstdint>

namespace kv {

// Small value types of the drawing surface: colours, points, sizes,
// rectangles and pens, all in device pixels with y growing downward.

// A colour as 0x00BBGGRR.
using Color = uint32_t;
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

struct CPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CPoint&) const = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const CSize&) const = default;
};

// A rectangle whose right and bottom edges are exclusive.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect&) const = default;
};

enum class PenStyle { Solid, Dot };

struct CPen {
    PenStyle m_style = PenStyle::Solid;
    int m_nWidth = 1;
    Color m_color = 0;
    bool operator==(const CPen&) const = default;
};

// Where a text stands relative to the point given to TextOut.
enum class TextAlign {
    CenterBaseline,  // centred on x, baseline on y
    RightBottom,     // ends at x, bottom of the text on y
    CenterBottom,    // centred on x, bottom of the text on y
};

// How lines are combined with what is already drawn.
enum class RasterOp {
    CopyPen,  // the pen colour replaces the pixels
    XorPen,   // pixels are XORed with the pen colour; drawing twice restores them
};

}  // namespace kv
