#include "plot/PlotMenus.h"

#include "platform/StringTable.h"
#include "plot/PlotCommands.h"

namespace kv {

namespace {

CMenuItem Cmd(int id, StringId text) { return CMenuItem::Command(id, LoadString(text)); }

// A command with the key its view handles for it.
CMenuItem KeyCmd(int id, StringId text) {
    for (const CPlotKey& k : PlotKeys())
        if (k.m_nId == id) return CMenuItem::Command(id, LoadString(text), k.m_pKeys);
    return Cmd(id, text);
}

CMenuItem MoveViewMenu() {
    return CMenuItem::Popup(
        LoadString(IDS_PLOT_MENU_MOVE_VIEW),
        {KeyCmd(ID_VIEW_ZOOM_IN_CENTRE, IDS_PLOT_MENU_ZOOM_IN_CENTRE),
         KeyCmd(ID_VIEW_ZOOM_OUT_CENTRE, IDS_PLOT_MENU_ZOOM_OUT_CENTRE), KeyCmd(ID_VIEW_FULL, IDS_PLOT_MENU_FULL_VIEW),
         CMenuItem::Separator(), KeyCmd(ID_VIEW_PAN_LEFT, IDS_PLOT_MENU_PAN_LEFT),
         KeyCmd(ID_VIEW_PAN_RIGHT, IDS_PLOT_MENU_PAN_RIGHT), KeyCmd(ID_VIEW_PAN_UP, IDS_PLOT_MENU_PAN_UP),
         KeyCmd(ID_VIEW_PAN_DOWN, IDS_PLOT_MENU_PAN_DOWN), KeyCmd(ID_VIEW_START, IDS_PLOT_MENU_GO_START),
         KeyCmd(ID_VIEW_END, IDS_PLOT_MENU_GO_END), CMenuItem::Separator(),
         KeyCmd(ID_VIEW_ZOOM_X_IN, IDS_PLOT_MENU_ZOOM_X_IN), KeyCmd(ID_VIEW_ZOOM_X_OUT, IDS_PLOT_MENU_ZOOM_X_OUT),
         KeyCmd(ID_VIEW_ZOOM_Y_IN, IDS_PLOT_MENU_ZOOM_Y_IN), KeyCmd(ID_VIEW_ZOOM_Y_OUT, IDS_PLOT_MENU_ZOOM_Y_OUT)});
}

CMenuItem MarkersMenu() {
    return CMenuItem::Popup(
        "Mar&kers",
        {CMenuItem::Command(ID_MARKER_ADD, "&Add Marker"), CMenuItem::Command(ID_MARKER_PEAK_HIGHEST, "&Highest Peak"),
         CMenuItem::Command(ID_MARKER_PEAK_LEFT, "Next Peak &Left"),
         CMenuItem::Command(ID_MARKER_PEAK_RIGHT, "Next Peak &Right"),
         CMenuItem::Command(ID_MARKER_PEAK_LOWER, "Next Lo&wer Peak"), CMenuItem::Separator(),
         CMenuItem::Command(ID_MARKER_NEXT, "&Next Marker"), CMenuItem::Command(ID_MARKER_REFERENCE, "Re&ference Marker"),
         CMenuItem::Command(ID_MARKER_REMOVE, "Re&move Marker"), CMenuItem::Command(ID_MARKER_CLEAR, "&Clear Markers"),
         CMenuItem::Separator(), CMenuItem::Command(ID_MARKER_TABLE, "Marker &Table")});
}

CMenuItem TypeMenu() {
    return CMenuItem::Popup(LoadString(IDS_PLOT_MENU_TYPE),
                            {Cmd(ID_PLOT_INPHASE, IDS_PLOT_MENU_INPHASE), Cmd(ID_PLOT_QUADRATURE, IDS_PLOT_MENU_QUADRATURE),
                             Cmd(ID_PLOT_I_AND_Q, IDS_PLOT_MENU_I_AND_Q), Cmd(ID_PLOT_MAGNITUDE, IDS_PLOT_MENU_MAGNITUDE),
                             Cmd(ID_PLOT_PHASE, IDS_PLOT_MENU_PHASE), Cmd(ID_PLOT_POLAR, IDS_PLOT_MENU_POLAR),
                             CMenuItem::Separator(), Cmd(ID_PLOT_HISTOGRAM, IDS_PLOT_MENU_HISTOGRAM)});
}

CMenuItem StyleMenu() {
    return CMenuItem::Popup(
        LoadString(IDS_PLOT_MENU_STYLE),
        {Cmd(ID_STYLE_AUTO, IDS_PLOT_MENU_STYLE_AUTO), Cmd(ID_STYLE_LINE, IDS_PLOT_MENU_STYLE_LINE),
         Cmd(ID_STYLE_DOT, IDS_PLOT_MENU_STYLE_DOT), Cmd(ID_STYLE_LINE_AND_DOT, IDS_PLOT_MENU_STYLE_LINE_DOT),
         Cmd(ID_STYLE_BAR, IDS_PLOT_MENU_STYLE_BAR), Cmd(ID_STYLE_STEM, IDS_PLOT_MENU_STYLE_STEM),
         Cmd(ID_STYLE_VERTICAL_LINE, IDS_PLOT_MENU_STYLE_VLINE), Cmd(ID_STYLE_STAIR, IDS_PLOT_MENU_STYLE_STAIR)});
}

std::vector<CMenuItem> PlotItems(bool printing) {
    std::vector<CMenuItem> items{TypeMenu(),
                                 StyleMenu(),
                                 CMenuItem::Separator(),
                                 Cmd(ID_ZOOM_IN, IDS_PLOT_MENU_ZOOM_IN),
                                 Cmd(ID_ZOOM_OUT, IDS_PLOT_MENU_ZOOM_OUT),
                                 Cmd(ID_ZOOM_NEXT, IDS_PLOT_MENU_ZOOM_NEXT),
                                 Cmd(ID_ZOOM_TOP, IDS_PLOT_MENU_ZOOM_TOP),
                                 Cmd(ID_ZOOM_BOTTOM, IDS_PLOT_MENU_ZOOM_BOTTOM),
                                 MoveViewMenu(),
                                 MarkersMenu(),
                                 CMenuItem::Separator(),
                                 Cmd(ID_PLOT_X_AXIS, IDS_PLOT_MENU_X_AXIS),
                                 Cmd(ID_PLOT_Y_AXIS, IDS_PLOT_MENU_Y_AXIS),
                                 Cmd(ID_PLOT_TITLES, IDS_PLOT_MENU_TITLES),
                                 Cmd(ID_PLOT_PROPERTIES, IDS_PLOT_MENU_PROPERTIES),
                                 Cmd(ID_PLOT_FONT, IDS_PLOT_MENU_FONT),
                                 CMenuItem::Separator(),
                                 Cmd(ID_PLOT_COPY_IMAGE, IDS_PLOT_MENU_COPY_IMAGE),
                                 CMenuItem::Command(ID_PLOT_SAVE_PICTURE, "Save Picture &As..."),
                                 Cmd(ID_PLOT_COPY_DATA, IDS_PLOT_MENU_COPY_DATA),
                                 Cmd(ID_PLOT_WRITE_DATA, IDS_PLOT_MENU_WRITE_DATA)};
    if (printing) {
        items.push_back(CMenuItem::Separator());
        items.push_back(Cmd(ID_FILE_PRINT, IDS_PLOT_MENU_PRINT));
        items.push_back(Cmd(ID_FILE_PRINT_PREVIEW, IDS_PLOT_MENU_PRINT_PREVIEW));
    }
    return items;
}

}  // namespace

const std::vector<CPlotKey>& PlotKeys() {
    static const std::vector<CPlotKey> keys{
        {"Ctrl+=", ID_VIEW_ZOOM_IN_CENTRE},   {"Ctrl++", ID_VIEW_ZOOM_IN_CENTRE},
        {"Ctrl+Shift++", ID_VIEW_ZOOM_IN_CENTRE}, {"Ctrl+-", ID_VIEW_ZOOM_OUT_CENTRE},
        {"Ctrl+0", ID_VIEW_FULL},             {"Left", ID_VIEW_PAN_LEFT},
        {"Right", ID_VIEW_PAN_RIGHT},         {"Up", ID_VIEW_PAN_UP},
        {"Down", ID_VIEW_PAN_DOWN},           {"Home", ID_VIEW_START},
        {"End", ID_VIEW_END},                 {"Shift+Right", ID_VIEW_ZOOM_X_IN},
        {"Shift+Left", ID_VIEW_ZOOM_X_OUT},   {"Shift+Up", ID_VIEW_ZOOM_Y_IN},
        {"Shift+Down", ID_VIEW_ZOOM_Y_OUT}};
    return keys;
}

int PlotKeyCommand(const std::string& keys) {
    for (const CPlotKey& k : PlotKeys())
        if (keys == k.m_pKeys) return k.m_nId;
    return 0;
}

CMenuItem PlotMenu() { return CMenuItem::Popup(LoadString(IDS_PLOT_MENU_PLOT), PlotItems(false)); }

CMenuItem LoadPlotMenu(int id) {
    if (id != IDR_GRAPH_CONTEXT_MENU) return CMenuItem{};
    return CMenuItem::Popup({}, {CMenuItem::Popup(LoadString(IDS_PLOT_MENU_PLOT), PlotItems(true))});
}

}  // namespace kv
