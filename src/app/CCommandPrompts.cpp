#include "app/CCommandPrompts.h"

#include <unordered_map>

#include "app/CCommandTable.h"
#include "app/CShellMenus.h"
#include "plot/PlotCommands.h"

namespace kv {

namespace {

using T = CCommandTable;
using S = CShellMenus;

const std::unordered_map<int, std::string>& Table() {
    static const std::unordered_map<int, std::string> table = {
        // ---- File
        {S::ID_FILE_NEW, "Create a new project\nNew Project"},
        {S::ID_FILE_OPEN, "Open a saved project\nOpen Project"},
        {S::ID_FILE_GENERATE, "Generate a test waveform in a new project\nGenerate"},
        {T::ID_CLOSE_PROJECT, "Close the active project, asking to save changes\nClose Project"},
        {T::ID_SAVE_PROJECT, "Save the active project\nSave Project"},
        {S::ID_FILE_SAVE_AS, "Save the active project under a new name\nSave Project As"},
        {T::ID_READ_TIME, "Read Time Data from a file\nRead Time"},
        {T::ID_READ_FREQ, "Read Frequency Data from a file\nRead Frequency"},
        {T::ID_WRITE_TIME, "Write the Time Data to a file\nWrite Time"},
        {T::ID_WRITE_FREQ, "Write the Frequency Data to a file\nWrite Frequency"},
        {ID_PLOT_WRITE_DATA, "Write the points of the active plot to a plot data file\nWrite Graph Data"},
        {T::ID_WRITE_LIST, "Write the frequency list to a list file\nWrite Frequency List"},
        {T::ID_WRITE_AM, "Write the AM demodulation of the Time Data to a file\nAM Demod"},
        {T::ID_WRITE_FM, "Write the FM demodulation of the Time Data to a file\nFM Demod"},
        {T::ID_CONVERT, "Read a signal file and write it in another format\nConvert"},
        {ID_FILE_PRINT, "Print the active window\nPrint"},
        {ID_FILE_PRINT_PREVIEW, "Show the page the active window prints\nPrint Preview"},
        {ID_FILE_PRINT_SETUP, "Choose the printer and the page\nPrint Setup"},
        {S::ID_FILE_MRU_FIRST, "Open this project\nRecent Project"},
        {S::ID_FILE_MRU_FIRST + 1, "Open this project\nRecent Project"},
        {S::ID_FILE_MRU_FIRST + 2, "Open this project\nRecent Project"},
        {S::ID_FILE_MRU_FIRST + 3, "Open this project\nRecent Project"},
        {S::ID_APP_EXIT, "Quit Kalvora, asking to save changed projects\nExit"},
        // ---- Signal
        {T::ID_UNDO, "Undo the last change of the project's data\nUndo"},
        {T::ID_REDO, "Redo the change undone last\nRedo"},
        {T::ID_SAMPLING_FREQ, "Set the sampling frequency and its units\nSampling Frequency"},
        {T::ID_TRANSFORM_OPTIONS, "Set the length and scaling of the transforms\nTransform Options"},
        {T::ID_DECIBELS, "Set the decibel reference and the lowest level shown\nDecibels"},
        {T::ID_PROCESS, "Choose the steps that run by themselves after each change\nAutomatic Processing"},
        // ---- Time
        {T::ID_TIME_SET_RANGE, "Set the working range of the Time Data\nSet Time Range"},
        {T::ID_TIME_REMOVE_DC, "Remove the mean value from the Time Data\nRemove DC"},
        {T::ID_TIME_RECTIFY, "Replace the Time Data with its absolute values\nRectify"},
        {T::ID_TIME_ZERO_PAD, "Stuff zeros between the samples, or add zeros at either end\nZero-Stuff/Zero-Pad"},
        {T::ID_TIME_CONJUGATE, "Replace complex Time Data with its complex conjugate\nConjugate"},
        {T::ID_TIME_SCALE, "Multiply the Time Data by a factor\nScale"},
        {T::ID_TIME_MIX, "Shift the Time Data in frequency by mixing it with a complex sine\nMix"},
        {T::ID_TIME_FILTER, "Filter the Time Data with an FIR filter file\nFilter"},
        {T::ID_TIME_WINDOW, "Multiply the Time Data by a window before a transform\nWindow"},
        {T::ID_TIME_TO_FREQ, "Transform the Time Data to Frequency Data\nTransform to Frequency"},
        {T::ID_TIME_STATISTICS, "Show the minimum, maximum, mean and RMS of the Time Data\nTime Statistics"},
        {T::ID_GENERATE_WAVEFORM, "Generate a test waveform as the Time Data\nGenerate Waveform"},
        {T::ID_GENERATE_SIGNAL, "Generate a modulated IF test signal as the Time Data\nGenerate Signal"},
        {T::ID_TIME_COPY, "Copy the Time Data to the clipboard as text\nCopy Time Data"},
        // ---- Frequency
        {T::ID_FREQ_SET_RANGE, "Set the working range of the Frequency Data\nSet Frequency Range"},
        {T::ID_FREQ_TO_TIME, "Transform the Frequency Data to Time Data\nTransform to Time"},
        {T::ID_FREQ_SQUARE_ROOT, "Replace the Frequency Data with its complex square root\nSquare Root"},
        {T::ID_FREQ_PAD, "Insert points into the Frequency Data at a chosen frequency\nPad"},
        {T::ID_FREQ_STATISTICS, "Show the fundamental, harmonics, SFDR, SINAD and SNR\nFrequency Statistics"},
        {T::ID_FREQ_CONVERTER_METRICS, "Measure the converter's SNR, SINAD, ENOB and SFDR from the Frequency Data\nConverter Metrics"},
        {T::ID_FREQ_SHOW_LIST, "Show the ranked list of the strongest frequencies\nFrequency List"},
        {T::ID_FREQ_COPY, "Copy the Frequency Data to the clipboard as text\nCopy Frequency Data"},
        // ---- Plot
        {ID_PLOT_INPHASE, "Plot the Inphase values\nInphase"},
        {ID_PLOT_QUADRATURE, "Plot the Quadrature values\nQuadrature"},
        {ID_PLOT_I_AND_Q, "Plot the Inphase and Quadrature values together\nI and Q"},
        {ID_PLOT_MAGNITUDE, "Plot the magnitude of the complex values\nMagnitude"},
        {ID_PLOT_PHASE, "Plot the phase of the complex values\nPhase"},
        {ID_PLOT_POLAR, "Plot the Quadrature values against the Inphase values\nPolar"},
        {ID_PLOT_HISTOGRAM, "Plot how often each value occurs\nHistogram"},
        {ID_STYLE_AUTO, "Let the plot choose its style\nAuto Style"},
        {ID_STYLE_LINE, "Join the points with lines\nLine"},
        {ID_STYLE_DOT, "Draw each point as a dot\nDot"},
        {ID_STYLE_LINE_AND_DOT, "Join the points with lines and mark each one\nLine and Dot"},
        {ID_STYLE_BAR, "Draw each point as a bar\nBar"},
        {ID_STYLE_STEM, "Draw each point as a stem from the axis\nStem"},
        {ID_STYLE_VERTICAL_LINE, "Draw each point as a vertical line\nVertical Line"},
        {ID_STYLE_STAIR, "Draw the points as a staircase\nStair"},
        {ID_ZOOM_IN, "Zoom in one level\nZoom In"},
        {ID_ZOOM_OUT, "Zoom out one level\nZoom Out"},
        {ID_ZOOM_NEXT, "Go to the next zoom level\nZoom Next"},
        {ID_ZOOM_TOP, "Show the whole data\nZoom Top"},
        {ID_ZOOM_BOTTOM, "Go to the deepest zoom level\nZoom Bottom"},
        {ID_PLOT_X_AXIS, "Set the scale of the X axis\nX Axis"},
        {ID_PLOT_Y_AXIS, "Set the scale of the Y axis\nY Axis"},
        {ID_PLOT_TITLES, "Edit the titles of the plot\nTitles"},
        {ID_PLOT_PROPERTIES, "Set the grid, legend and trace options of the plot\nPlot Properties"},
        {ID_PLOT_FONT, "Choose the font of the plot\nPlot Font"},
        {ID_PLOT_COPY_IMAGE, "Copy the picture of the plot to the clipboard\nCopy Image"},
        {ID_PLOT_SAVE_PICTURE, "Save the picture of the plot as a PNG, SVG or PDF file\nSave Picture"},
        {ID_MARKER_ADD, "Place a marker at the middle of the view (Ctrl+click places one on the trace)\nAdd Marker"},
        {ID_MARKER_PEAK_HIGHEST, "Move the active marker to the highest peak in the view\nHighest Peak"},
        {ID_MARKER_PEAK_LEFT, "Move the active marker to the next peak on its left\nNext Peak Left"},
        {ID_MARKER_PEAK_RIGHT, "Move the active marker to the next peak on its right\nNext Peak Right"},
        {ID_MARKER_PEAK_LOWER, "Move the active marker to the next lower peak in the view\nNext Lower Peak"},
        {ID_MARKER_NEXT, "Make the next marker the active one\nNext Marker"},
        {ID_MARKER_REFERENCE, "Measure the other markers against the active one\nReference Marker"},
        {ID_MARKER_REMOVE, "Remove the active marker\nRemove Marker"},
        {ID_MARKER_CLEAR, "Remove all markers of the plot\nClear Markers"},
        {ID_MARKER_TABLE, "Show the table of the markers' values\nMarker Table"},
        {ID_PLOT_COPY_DATA, "Copy the points of the plot to the clipboard as text\nCopy Data"},
        {ID_VIEW_ZOOM_IN_CENTRE, "Zoom in around the centre of the view\nZoom In"},
        {ID_VIEW_ZOOM_OUT_CENTRE, "Zoom out around the centre of the view\nZoom Out"},
        {ID_VIEW_FULL, "Show all of the data\nFull View"},
        {ID_VIEW_PAN_LEFT, "Move the view left by a tenth of its width\nPan Left"},
        {ID_VIEW_PAN_RIGHT, "Move the view right by a tenth of its width\nPan Right"},
        {ID_VIEW_PAN_UP, "Move the view up by a tenth of its height\nPan Up"},
        {ID_VIEW_PAN_DOWN, "Move the view down by a tenth of its height\nPan Down"},
        {ID_VIEW_START, "Move the view to the start of the data\nGo to Start"},
        {ID_VIEW_END, "Move the view to the end of the data\nGo to End"},
        {ID_VIEW_ZOOM_X_IN, "Zoom in along the X axis only\nZoom X In"},
        {ID_VIEW_ZOOM_X_OUT, "Zoom out along the X axis only\nZoom X Out"},
        {ID_VIEW_ZOOM_Y_IN, "Zoom in along the Y axis only\nZoom Y In"},
        {ID_VIEW_ZOOM_Y_OUT, "Zoom out along the Y axis only\nZoom Y Out"},
        // ---- View
        {T::ID_VIEW_TIME_FRONT, "Bring the plot of the Time Data to the front\nTime Plot"},
        {T::ID_VIEW_TIME_ADD, "Open another plot of the Time Data\nAdd Time Plot"},
        {T::ID_VIEW_FREQ_FRONT, "Bring the plot of the Frequency Data to the front\nFrequency Plot"},
        {T::ID_VIEW_FREQ_ADD, "Open another plot of the Frequency Data\nAdd Frequency Plot"},
        {S::ID_VIEW_STATUS_BAR, "Show or hide the status bar\nStatus Bar"},
        {S::ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToolbar"},
        {S::ID_VIEW_PREFERENCES, "Choose the plot types and styles of new plots\nPreferences"},
        // ---- Window
        {S::ID_WINDOW_CASCADE, "Arrange the windows so that they overlap\nCascade"},
        {S::ID_WINDOW_TILE, "Arrange the windows side by side\nTile"},
        {S::ID_WINDOW_ARRANGE, "Line up the minimized windows along the bottom\nArrange Icons"},
        {S::ID_NEXT_PANE, "Go to the next window\nNext Window"},
        {S::ID_PREV_PANE, "Go to the previous window\nPrevious Window"},
        // ---- List and its text
        {T::ID_LIST_LENGTH, "Set how many frequencies the list holds\nList Length"},
        {S::ID_LIST_FONT, "Choose the font of the list\nFont"},
        {S::ID_EDIT_UNDO_TEXT, "Undo the last edit of the list's text\nUndo Edit"},
        {S::ID_EDIT_CUT, "Cut the selection to the clipboard\nCut"},
        {S::ID_EDIT_COPY, "Copy the selection to the clipboard\nCopy"},
        {S::ID_EDIT_PASTE, "Insert the text of the clipboard\nPaste"},
        {S::ID_EDIT_CLEAR, "Erase the selection\nClear"},
        {S::ID_EDIT_SELECT_ALL, "Select the whole text\nSelect All"},
        {S::ID_EDIT_FIND, "Find a text in the list\nFind"},
        {S::ID_EDIT_REPLACE, "Replace a text in the list with another\nReplace"},
        {S::ID_EDIT_REPEAT, "Repeat the last find or replace\nRepeat"},
        // ---- Help
        {S::ID_HELP_CONTENTS, "Show the contents of the manual\nHelp Contents"},
        {S::ID_HELP_INDEX, "Show the index of the manual\nHelp Index"},
        {S::ID_HELP_SEARCH, "Search the manual\nHelp Search"},
        {S::ID_CONTEXT_HELP, "Show help for the next button, menu item or window clicked\nHelp"},
        {S::ID_HELP, "Show the manual's page of the active window\nHelp"},
        {S::ID_APP_ABOUT, "Show the program's version and build\nAbout"},
    };
    return table;
}

}  // namespace

const std::string& CCommandPrompts::Text(int id) {
    static const std::string empty;
    auto it = Table().find(id);
    return it == Table().end() ? empty : it->second;
}

std::string CCommandPrompts::StatusPrompt(int id) {
    const std::string& text = Text(id);
    return text.substr(0, text.find('\n'));
}

std::string CCommandPrompts::ToolTip(int id) {
    const std::string& text = Text(id);
    const size_t nl = text.find('\n');
    return nl == std::string::npos ? text : text.substr(nl + 1);
}

}  // namespace kv
