#pragma once

#include "platform/CMenuItem.h"

namespace kv {

// The "&Plot" popup of a plot window's menu bar: Type, Style, zooming, axes,
// titles, properties, font, export and printing.
CMenuItem PlotMenu();
// A menu resource of the plots by number (the graph's context menu is 510);
// its first popup is what a context menu shows. Unknown numbers give an
// empty menu.
CMenuItem LoadPlotMenu(int id);

}  // namespace kv
