#pragma once

#include <string>
#include <vector>

#include "platform/CMenuItem.h"

namespace kv {

// The "&Plot" popup of a plot window's menu bar: Type, Style, zooming, axes,
// titles, properties, font, export and printing.
CMenuItem PlotMenu();
// A key a plot view handles itself and the command it runs.
struct CPlotKey {
    const char* m_pKeys;  // as "Ctrl+=", "Shift+Left", "Home"
    int m_nId;
};
// The keys of the plot views, the first of each command the one its menu
// item shows.
const std::vector<CPlotKey>& PlotKeys();
// The command of a key, or 0.
int PlotKeyCommand(const std::string& keys);

// A menu resource of the plots by number (the graph's context menu is 510);
// its first popup is what a context menu shows. Unknown numbers give an
// empty menu.
CMenuItem LoadPlotMenu(int id);

}  // namespace kv
