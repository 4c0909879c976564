#pragma once

namespace kv {

// Command numbers of the plot menus and the plot's context menu.
enum PlotCommand : int {
    // Type
    ID_PLOT_I_AND_Q = 32832,
    ID_PLOT_INPHASE = 32836,
    ID_PLOT_MAGNITUDE = 32838,
    ID_PLOT_PHASE = 32840,
    ID_PLOT_POLAR = 32844,
    ID_PLOT_QUADRATURE = 32846,
    ID_PLOT_HISTOGRAM = 34101,
    // Style
    ID_STYLE_AUTO = 34103,
    ID_STYLE_LINE = 32876,
    ID_STYLE_DOT = 32874,
    ID_STYLE_LINE_AND_DOT = 32878,
    ID_STYLE_BAR = 32872,
    ID_STYLE_STEM = 34105,
    ID_STYLE_VERTICAL_LINE = 34106,
    ID_STYLE_STAIR = 34108,
    // Zooming
    ID_ZOOM_BOTTOM = 33016,
    ID_ZOOM_IN = 33018,
    ID_ZOOM_NEXT = 33020,
    ID_ZOOM_OUT = 33022,
    ID_ZOOM_TOP = 33024,
    // Moving the view from the keyboard
    ID_VIEW_ZOOM_IN_CENTRE = 33030,
    ID_VIEW_ZOOM_OUT_CENTRE = 33031,
    ID_VIEW_FULL = 33032,
    ID_VIEW_PAN_LEFT = 33033,
    ID_VIEW_PAN_RIGHT = 33034,
    ID_VIEW_PAN_UP = 33035,
    ID_VIEW_PAN_DOWN = 33036,
    ID_VIEW_START = 33037,
    ID_VIEW_END = 33038,
    ID_VIEW_ZOOM_X_IN = 33039,
    ID_VIEW_ZOOM_X_OUT = 33040,
    ID_VIEW_ZOOM_Y_IN = 33041,
    ID_VIEW_ZOOM_Y_OUT = 33042,
    // Options, axes, font
    ID_PLOT_FONT = 32826,
    ID_PLOT_PROPERTIES = 32828,
    ID_PLOT_TITLES = 32830,
    ID_PLOT_X_AXIS = 32880,
    ID_PLOT_Y_AXIS = 32882,
    // Export
    ID_PLOT_COPY_DATA = 32822,
    ID_PLOT_COPY_IMAGE = 32824,
    ID_PLOT_WRITE_DATA = 32850,
    // Printing (the platform's standard numbers)
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
};

// Number of the signal graph's context menu.
inline constexpr int IDR_GRAPH_CONTEXT_MENU = 510;

}  // namespace kv
